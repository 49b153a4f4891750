#pragma once
#include <optional>
#include <string>
#include <vector>

#include "actions/program_file.h"
#include "platform/program_launch.h"

namespace vorlen {

// The system programs the commands start, each from its own folder.
enum class SystemProgram {
    CommandProcessor,  // cmd.exe, system folder
    ControlPanel,      // control.exe, system folder
    Installer,         // msiexec.exe, system folder
    Regsvr32,          // regsvr32.exe, system folder
    RegistryEditor,    // regedit.exe, Windows folder
    Explorer,          // explorer.exe, Windows folder
    HelpViewer,        // hh.exe, Windows folder
};

// The system program started by its full path with `commandLine` as its
// users see it ("control appwiz.cpl", "cmd.exe /K REG QUERY …"). The command
// processor runs in the system folder: a REG on its command line then finds
// the system's reg.exe in its current folder first, whatever lies in
// Vorlen's folder or the folder an export went to.
ProgramLaunch LaunchOfSystemProgram(SystemProgram program, const SystemFolders& folders, std::wstring commandLine);

// The launch of an uninstall command exactly as given. Its program file is
// the one process creation would read from it (ProgramOfCommandLine); a
// program named without a folder is the first found in `searchFolders`
// (ProgramSearchFolders), never one in Vorlen's folder or the current one.
// A program file named with a folder but without an extension gets ".exe"
// when only that exists, as process creation adds it. Nullopt when the
// command names no program or a bare name is found nowhere.
std::optional<ProgramLaunch> UninstallLaunch(const std::wstring& commandLine,
                                             const std::vector<std::wstring>& searchFolders,
                                             const IsExistingFile& isExistingFile);

}  // namespace vorlen
