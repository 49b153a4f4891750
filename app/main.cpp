// Vorlen: shows the programs registered for uninstallation on this machine.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/command_line_run.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/module_path.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/registry_win32.h"
#include "window/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (const auto exitCode = vorlen::RunFromCommandLine(instance)) return *exitCode;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const vorlen::Win32Registry registry;
    const vorlen::UserLocaleCollator collator;
    vorlen::Win32Desktop desktop;
    vorlen::MainWindowServices services;
    services.registry = &registry;
    services.collator = &collator;
    services.desktop = &desktop;
    services.executableFolder = vorlen::ExecutableFolder();
    services.getOsName = vorlen::GetOSName;
    services.openSettingsFile = [](const std::wstring& path) -> std::unique_ptr<vorlen::ProfileFile> {
        return std::make_unique<vorlen::Win32ProfileFile>(path);
    };

    vorlen::MainWindow frmMain(instance, std::move(services));
    if (!frmMain.Create(showCommand)) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (frmMain.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
