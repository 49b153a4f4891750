#include "window/entry_actions.h"

#include "actions/open_target.h"
#include "core/network_path.h"
#include "core/nuls_as_blanks.h"
#include "resources/resource.h"

namespace vorlen {

namespace {

std::optional<std::wstring> FolderOfFocusedText(const MainWindowParts& parts) {
    const auto text = parts.FocusedText();
    if (!text) return std::nullopt;
    // A text that names a network path is never looked up, nor is a folder
    // derived from it, without the user's command to open it; nor a folder
    // on a network drive, nor one holding a wildcard.
    if (IsNetworkOrDevicePath(*text)) return std::nullopt;
    auto folder = FolderToOpen(*text);
    Desktop& desktop = *parts.services.desktop;
    if (!folder || !desktop.MayLookUp(*folder) || !desktop.PathExists(*folder)) return std::nullopt;
    return folder;
}

std::optional<std::wstring> WebAddressOfFocusedText(const MainWindowParts& parts) {
    auto text = parts.FocusedText();
    if (!text || !IsWebAddress(*text)) return std::nullopt;
    return text;
}

}  // namespace

void RunUninstaller(MainWindowParts& parts) {
    const int answer =
        parts.ShowMessage(parts.Text(IDS_CONFIRM_UNINSTALL), kAppTitle, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES) return;
    try {
        const std::wstring command = parts.info.BoxText(InfoPanel::kCommandBox);
        if (command.empty()) return;
        // The box shows the command as stored. A command stored as
        // REG_EXPAND_SZ has its variables expanded only now, so that
        // %ProgramFiles%\… can start; any other command, and one the user
        // typed, runs exactly as the box shows it.
        const bool expands = parts.selected && parts.selected->row.uninstallStringExpands &&
                             command == NulsAsBlanks(parts.selected->uninstallString);
        PlatformError error;
        Desktop& desktop = *parts.services.desktop;
        if (!desktop.StartProcess(expands ? desktop.ExpandEnvironment(command) : command, SW_SHOWNORMAL, error))
            parts.ShowError(IDS_CAPTION_UNINSTALL_ERROR, error);
    } catch (const std::exception& failure) {
        parts.ShowError(IDS_CAPTION_UNINSTALL_ERROR, failure);
    }
}

bool CanOpenFolder(const MainWindowParts& parts) {
    try {
        return FolderOfFocusedText(parts).has_value();
    } catch (const std::exception&) {
        return false;
    }
}

void OpenFolder(MainWindowParts& parts) {
    try {
        if (const auto folder = FolderOfFocusedText(parts)) {
            PlatformError ignored;
            parts.services.desktop->StartProcess(ExplorerCommandLine(*folder), SW_SHOWNORMAL, ignored);
        }
    } catch (const std::exception&) {}
}

bool CanOpenWebAddress(const MainWindowParts& parts) {
    try {
        return WebAddressOfFocusedText(parts).has_value();
    } catch (const std::exception&) {
        return false;
    }
}

void OpenWebAddress(MainWindowParts& parts) {
    try {
        const auto address = WebAddressOfFocusedText(parts);
        if (!address) return;
        switch (CheckWebAddress(*address)) {
        case WebAddressCheck::Openable:
            // Opened as it stands: its path may be case-sensitive.
            parts.services.desktop->ShellOpen(parts.window, *address, L"", SW_SHOWNORMAL);
            break;
        case WebAddressCheck::UnsafeCharacter:
            parts.ShowMessage(parts.Text(IDS_URL_UNSAFE), kAppTitle, MB_OK | MB_ICONWARNING);
            break;
        case WebAddressCheck::TooLong:
            parts.ShowMessage(parts.Text(IDS_URL_TOO_LONG), kAppTitle, MB_OK | MB_ICONWARNING);
            break;
        case WebAddressCheck::NotWebAddress: break;
        }
    } catch (const std::exception&) {}
}

void OpenFromDoubleClick(MainWindowParts& parts) {
    if (CanOpenFolder(parts))
        OpenFolder(parts);
    else if (CanOpenWebAddress(parts))
        OpenWebAddress(parts);
}

}  // namespace vorlen
