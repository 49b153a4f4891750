#pragma once
#include <string>

#include "platform/desktop.h"

namespace vorlen {

class GridModel;

// Writes every row of the grid as the export file at `path`: the CSV lines,
// in the ANSI code page when every character fits it and in UTF-8 with a
// byte-order mark otherwise, replacing the file only once all is written.
// The menu command and the command-line export both write through here.
bool WriteCsvFile(const GridModel& grid, const std::wstring& path, PlatformError& error);

}  // namespace vorlen
