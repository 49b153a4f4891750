#include "dialogs/twips_placement.h"

#include "core/twips.h"
#include "platform/win32/display_api.h"

namespace vorlen {

namespace {

UINT DialogDpi(HWND dialog) {
    return DisplayApi::OfThisSystem().WindowDpi(dialog);
}

// Sizes the window so that its client area is width x height pixels and
// centres it on the monitor of its owner.
void SizeAndCentre(HWND dialog, int width, int height, UINT dpi) {
    RECT frame{0, 0, width, height};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    DisplayApi::OfThisSystem().AdjustWindowRect(frame, style, false, exStyle, dpi);
    const int frameWidth = frame.right - frame.left;
    const int frameHeight = frame.bottom - frame.top;

    const HWND owner = GetWindow(dialog, GW_OWNER);
    const HMONITOR monitor = owner ? MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY)
                                   : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{sizeof(info)};
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(monitor, &info)) screen = info.rcMonitor;
    const int left = screen.left + (screen.right - screen.left - frameWidth) / 2;
    const int top = screen.top + (screen.bottom - screen.top - frameHeight) / 2;
    SetWindowPos(dialog, nullptr, left, top, frameWidth, frameHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void PlaceDialog(HWND dialog, int clientWidthTwips, int clientHeightTwips, std::span<const ControlTwips> controls) {
    const UINT dpi = DialogDpi(dialog);
    for (const ControlTwips& control : controls) {
        if (const HWND child = GetDlgItem(dialog, control.id))
            MoveWindow(child, TwipsToPixels(control.left, dpi), TwipsToPixels(control.top, dpi),
                       TwipsToPixels(control.width, dpi), TwipsToPixels(control.height, dpi), FALSE);
    }
    SizeAndCentre(dialog, TwipsToPixels(clientWidthTwips, dpi), TwipsToPixels(clientHeightTwips, dpi), dpi);
}

}  // namespace vorlen
