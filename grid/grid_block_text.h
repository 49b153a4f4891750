#pragma once
#include <string>

namespace vorlen {

class GridModel;

// The text of the selected block between the current cell and the opposite
// corner, whichever way it was dragged: one line per row, hidden rows
// included, cells joined by `separator`, every line ending in CR LF. Cell
// texts are taken as they are, tabs and line breaks included, except that
// each NUL becomes a blank: the clipboard's text would end at the first one.
std::wstring GridBlockText(const GridModel& grid, wchar_t separator);

}  // namespace vorlen
