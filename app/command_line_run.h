#pragma once
#include <windows.h>

#include <optional>

namespace vorlen {

// Carries out what the program's arguments ask for when that is not the
// window: the export of the list, or the report of a wrong command line.
// Returns the exit status then; nothing when the window is to open.
std::optional<int> RunFromCommandLine(HINSTANCE instance);

}  // namespace vorlen
