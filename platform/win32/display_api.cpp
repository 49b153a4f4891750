#include "platform/win32/display_api.h"

namespace vorlen {

namespace {

template <typename Function>
void LookUp(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The DPI of the screen's device context: the system DPI on every Windows.
UINT ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    if (!screen) return USER_DEFAULT_SCREEN_DPI;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

NewerDisplayFunctions NewerDisplayFunctions::OfUser32() {
    NewerDisplayFunctions functions;
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return functions;
    LookUp(user32, "GetDpiForWindow", functions.getDpiForWindow);
    LookUp(user32, "GetDpiForSystem", functions.getDpiForSystem);
    LookUp(user32, "AdjustWindowRectExForDpi", functions.adjustWindowRectExForDpi);
    LookUp(user32, "SystemParametersInfoForDpi", functions.systemParametersInfoForDpi);
    LookUp(user32, "GetSystemMetricsForDpi", functions.getSystemMetricsForDpi);
    return functions;
}

const DisplayApi& DisplayApi::OfThisSystem() {
    static const DisplayApi system(NewerDisplayFunctions::OfUser32());
    return system;
}

UINT DisplayApi::WindowDpi(HWND window) const {
    if (newer_.getDpiForWindow) {
        if (const UINT dpi = newer_.getDpiForWindow(window)) return dpi;
    }
    return SystemDpi();
}

UINT DisplayApi::SystemDpi() const { return newer_.getDpiForSystem ? newer_.getDpiForSystem() : ScreenDpi(); }

bool DisplayApi::AdjustWindowRect(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) const {
    if (newer_.adjustWindowRectExForDpi)
        return newer_.adjustWindowRectExForDpi(&rect, style, hasMenu, exStyle, dpi) != FALSE;
    return AdjustWindowRectEx(&rect, style, hasMenu, exStyle) != FALSE;
}

bool DisplayApi::SystemParameters(UINT action, UINT size, void* data, UINT dpi) const {
    if (newer_.systemParametersInfoForDpi)
        return newer_.systemParametersInfoForDpi(action, size, data, 0, dpi) != FALSE;
    return SystemParametersInfoW(action, size, data, 0) != FALSE;
}

int DisplayApi::SystemMetric(int index, UINT dpi) const {
    return newer_.getSystemMetricsForDpi ? newer_.getSystemMetricsForDpi(index, dpi) : GetSystemMetrics(index);
}

bool DisplayApi::HighContrast() const {
    HIGHCONTRASTW contrast{sizeof(contrast)};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace vorlen
