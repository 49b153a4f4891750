#include "actions/program_launches.h"

#include <utility>

namespace vorlen {

namespace {

// Empty when the folder is: a bare name would be looked for in the current folder.
std::wstring InFolder(const std::wstring& folder, const wchar_t* name) {
    if (folder.empty()) return {};
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path + name;
}

bool HasExtension(const std::wstring& path) {
    const auto point = path.find_last_of(L'.');
    const auto separator = path.find_last_of(L"\\/:");
    return point != std::wstring::npos && (separator == std::wstring::npos || point > separator);
}

}  // namespace

ProgramLaunch LaunchOfSystemProgram(SystemProgram program, const SystemFolders& folders, std::wstring commandLine) {
    ProgramLaunch launch;
    launch.commandLine = std::move(commandLine);
    switch (program) {
    case SystemProgram::CommandProcessor:
        launch.applicationPath = InFolder(folders.system, L"cmd.exe");
        launch.workingFolder = folders.system;
        break;
    case SystemProgram::ControlPanel: launch.applicationPath = InFolder(folders.system, L"control.exe"); break;
    case SystemProgram::Installer: launch.applicationPath = InFolder(folders.system, L"msiexec.exe"); break;
    case SystemProgram::Regsvr32: launch.applicationPath = InFolder(folders.system, L"regsvr32.exe"); break;
    case SystemProgram::RegistryEditor: launch.applicationPath = InFolder(folders.windows, L"regedit.exe"); break;
    case SystemProgram::Explorer: launch.applicationPath = InFolder(folders.windows, L"explorer.exe"); break;
    case SystemProgram::HelpViewer: launch.applicationPath = InFolder(folders.windows, L"hh.exe"); break;
    }
    return launch;
}

std::optional<ProgramLaunch> UninstallLaunch(const std::wstring& commandLine,
                                             const std::vector<std::wstring>& searchFolders,
                                             const IsExistingFile& isExistingFile) {
    // A bare prefix of the line exists where the search finds it, never in
    // the current folder.
    const IsExistingFile existsWhereSearched = [&](const std::wstring& name) {
        return NamesFolder(name) ? isExistingFile(name)
                                 : FindProgramInFolders(name, searchFolders, isExistingFile).has_value();
    };
    std::wstring program = ProgramOfCommandLine(commandLine, existsWhereSearched);
    if (program.empty()) return std::nullopt;
    if (!NamesFolder(program)) {
        auto found = FindProgramInFolders(program, searchFolders, isExistingFile);
        if (!found) return std::nullopt;
        program = std::move(*found);
    } else if (!HasExtension(program) && !isExistingFile(program) && isExistingFile(program + L".exe")) {
        program += L".exe";
    }
    return ProgramLaunch{std::move(program), commandLine, {}};
}

}  // namespace vorlen
