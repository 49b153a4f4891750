#pragma once
#include <string>
#include <string_view>

namespace vorlen {

// The text with each NUL replaced by a blank. The clipboard's text and an
// edit box end at their first NUL, so a name or value that holds one would
// silently lose everything after it; a blank keeps the rest visible, as the
// value texts already show the NULs between the strings of a multi-string.
std::wstring NulsAsBlanks(std::wstring_view text);

}  // namespace vorlen
