#pragma once
#include <string>

namespace vorlen {

// A program to start: the file that process creation runs, by its full path,
// and the command line the program receives (whose first word it takes for
// its own name). Process creation then searches for nothing, so no file
// beside Vorlen or in the current folder can stand in for the program.
struct ProgramLaunch {
    std::wstring applicationPath;  // empty: nothing starts
    std::wstring commandLine;
    // The new process's current folder; empty: Vorlen's own.
    std::wstring workingFolder;
};

// The folders the system's programs live in, as Windows reports them: the
// system folder (system32) and the Windows folder shared by every user.
struct SystemFolders {
    std::wstring system;
    std::wstring windows;
};

}  // namespace vorlen
