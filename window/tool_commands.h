#pragma once
#include <functional>
#include <string>

#include "actions/program_launches.h"
#include "window/main_window_parts.h"

namespace vorlen {

// The system's own tools for the entry at hand, and the help.

// REG QUERY for the key named in the key-name box, in a console that stays
// open. A failure to start is reported.
void RunRegQuery(MainWindowParts& parts);

// REG EXPORT of that key into a file chosen in the Save-As dialog, run hidden
// while the window keeps handling its messages through `pumpMessages`, then
// Explorer on the file's folder. A failure to start is reported. When the
// pump says the program is quitting, the wait ends and nothing more starts.
void RunRegExport(MainWindowParts& parts, const std::function<bool()>& pumpMessages);

// The system program with that command line, by its full path in the
// folders the desktop reports.
ProgramLaunch SystemLaunch(MainWindowParts& parts, SystemProgram program, std::wstring commandLine);

// Starts a program of the system in a normal window; a failure is ignored.
void StartSystemTool(MainWindowParts& parts, SystemProgram program, std::wstring commandLine);

// The help command presses F1, as the user would; F1 opens the help file
// beside the program.
void PressHelpKey(MainWindowParts& parts);
void OpenHelpFile(MainWindowParts& parts);

}  // namespace vorlen
