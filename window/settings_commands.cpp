#include "window/settings_commands.h"

#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "platform/display_settings_file.h"
#include "resources/resource.h"
#include "window/list_commands.h"

namespace vorlen {

void ShowDisplaySettings(MainWindowParts& parts) {
    const std::optional<DisplaySettings> chosen = ShowSettingsDialog(parts.window, parts.program.settings);
    parts.program.settingsChanged = chosen.has_value();
    if (!chosen) return;
    parts.program.settings = *chosen;
    // The new values apply now either way; a file that cannot be written is
    // said, since they would be lost at the next start.
    const auto file = parts.services.openSettingsFile(parts.program.iniFilePath);
    if (!WriteDisplaySettings(*file, parts.program.settings)) {
        std::wstring text = parts.Text(IDS_SETTINGS_NOT_SAVED);
        if (const auto at = text.find(L"%s"); at != std::wstring::npos) text.replace(at, 2, parts.program.iniFilePath);
        parts.ShowMessage(text, kAppTitle, MB_OK | MB_ICONWARNING);
    }
    RefreshList(parts);
}

void ShowVersion(MainWindowParts& parts) {
    ShowAboutDialog(parts.window, *parts.services.desktop, *parts.services.registry);
}

}  // namespace vorlen
