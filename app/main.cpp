// Vorlen: shows the programs registered for uninstallation on this machine.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/command_line_run.h"
#include "app/win32_services.h"
#include "window/main_window.h"

namespace {

// This thread as a single-threaded COM apartment for its whole run: screen
// readers reach the grids' accessible objects through COM.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // No system dialog may ever ask for a disk: a look at an empty drive
    // fails quietly instead. The bits set before are kept.
    SetErrorMode(GetErrorMode() | SEM_FAILCRITICALERRORS);
    if (const auto exitCode = vorlen::RunFromCommandLine(instance)) return *exitCode;

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const ComApartment apartment;
    vorlen::Win32Services platform;
    vorlen::MainWindow window(instance, platform.Services());
    if (!window.Create(showCommand)) return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
