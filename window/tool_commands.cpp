#include "window/tool_commands.h"

#include <utility>

#include "actions/reg_command.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/desktop_win32.h"
#include "resources/resource.h"

namespace vorlen {

namespace {

// A key name that no command line can carry says so in the system's words.
PlatformError InvalidKeyName() { return {ERROR_INVALID_NAME, L""}; }

void ReportRegFailure(MainWindowParts& parts, PlatformError error) {
    if (error.description.empty()) error = PlatformErrorOf(static_cast<std::uint32_t>(error.number));
    parts.ShowError(IDS_CAPTION_REG_ERROR, error);
}

}  // namespace

void RunRegQuery(MainWindowParts& parts) {
    try {
        const auto command = RegQueryCommandLine(parts.SelectedPlace(), parts.info.BoxText(InfoPanel::kKeyBox));
        PlatformError error = InvalidKeyName();
        if (command && parts.services.desktop->StartProcess(
                           SystemLaunch(parts, SystemProgram::CommandProcessor, *command), SW_SHOWNORMAL, error))
            return;
        ReportRegFailure(parts, error);
    } catch (const std::exception& failure) {
        parts.ShowError(IDS_CAPTION_REG_ERROR, failure);
    }
}

void RunRegExport(MainWindowParts& parts, const std::function<bool()>& pumpMessages) {
    try {
        const std::wstring keyName = parts.info.BoxText(InfoPanel::kKeyBox);
        // No file is asked for a key name that no command line can carry.
        if (!IsAddressableKeyName(keyName)) return ReportRegFailure(parts, InvalidKeyName());
        const std::wstring path = parts.AskSavePath(IDS_FILTER_REG, L".reg");
        if (path.empty()) return;
        // The dialog has asked before overwriting, so REG may overwrite.
        const auto command = RegExportCommandLine(parts.SelectedPlace(), keyName, path);
        Desktop& desktop = *parts.services.desktop;
        PlatformError error = InvalidKeyName();
        if (command) {
            switch (desktop.RunAndWait(SystemLaunch(parts, SystemProgram::CommandProcessor, *command), SW_HIDE,
                                       pumpMessages, error)) {
            case Desktop::WaitOutcome::StoppedWaiting: return;
            case Desktop::WaitOutcome::NotStarted: break;
            case Desktop::WaitOutcome::Ended:
                if (desktop.StartProcess(
                        SystemLaunch(parts, SystemProgram::Explorer, ExplorerOnFolderCommandLine(FolderOfFile(path))),
                        SW_SHOWNORMAL, error))
                    return;
                break;
            }
        }
        ReportRegFailure(parts, error);
    } catch (const std::exception& failure) {
        parts.ShowError(IDS_CAPTION_REG_ERROR, failure);
    }
}

ProgramLaunch SystemLaunch(MainWindowParts& parts, SystemProgram program, std::wstring commandLine) {
    return LaunchOfSystemProgram(program, parts.services.desktop->ProgramFolders(), std::move(commandLine));
}

void StartSystemTool(MainWindowParts& parts, SystemProgram program, std::wstring commandLine) {
    PlatformError ignored;
    parts.services.desktop->StartProcess(SystemLaunch(parts, program, std::move(commandLine)), SW_SHOWNORMAL, ignored);
}

void PressHelpKey(MainWindowParts& parts) { parts.services.desktop->SendKey(VK_F1); }

void OpenHelpFile(MainWindowParts& parts) {
    StartSystemTool(parts, SystemProgram::HelpViewer,
                    L"hh.exe \"" + parts.services.executableFolder + L"\\VorlenHelp.chm\"");
}

}  // namespace vorlen
