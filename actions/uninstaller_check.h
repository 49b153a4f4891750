#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/program_file.h"

namespace vorlen {

// Whether the program an uninstall command starts still exists.

// What the check needs of the platform. Both predicates are called from a
// thread other than the window's.
struct UninstallerLookup {
    // The folders a program named without a folder is looked for in
    // (ProgramSearchFolders), as the uninstall launch looks.
    std::vector<std::wstring> searchFolders;
    // Whether a file that is not a folder exists at a local path.
    IsExistingFile isExistingFile;
    // Whether a path lies on the network (a UNC or device path, a mapped
    // network drive): such a path is never looked up.
    std::function<bool(std::wstring_view path)> isNetworkPath;
};

enum class UninstallerState {
    NoCommand,  // the command is empty or blank: nothing to say
    Present,    // its program file exists
    Missing,    // its program file does not exist
    OnNetwork,  // its program lies on the network and was not looked up
};

struct UninstallerCheck {
    UninstallerState state = UninstallerState::NoCommand;
    std::wstring programFile;  // the file looked for (Missing: the one not found)

    friend bool operator==(const UninstallerCheck&, const UninstallerCheck&) = default;
};

// Checks the program file of a command line (ProgramOfCommandLine) as the
// uninstall launch would start it: `commandLine` is already expanded when
// the command is stored as REG_EXPAND_SZ. A name without a folder is looked
// for in the search folders ("MsiExec.exe /X{…}" checks msiexec.exe, not the
// product), never in the current folder or Vorlen's.
UninstallerCheck CheckUninstaller(std::wstring_view commandLine, const UninstallerLookup& lookup);

}  // namespace vorlen
