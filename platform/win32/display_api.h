#pragma once
#include <windows.h>

namespace vorlen {

// The user32 functions for DPI that came after Windows 7 (all with Windows 10
// version 1607), looked up at run time so that the program starts on
// Windows 7 SP1 and 8.1; a pointer is null where the running Windows lacks
// the function.
struct NewerDisplayFunctions {
    UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;
    UINT(WINAPI* getDpiForSystem)() = nullptr;
    BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
    BOOL(WINAPI* systemParametersInfoForDpi)(UINT, UINT, void*, UINT, UINT) = nullptr;
    int(WINAPI* getSystemMetricsForDpi)(int, UINT) = nullptr;

    static NewerDisplayFunctions OfUser32();
};

// What the windows ask of the display: the DPI of a window and of the
// system, frame sizes, the system's fonts and metrics at a DPI, and whether
// high contrast is on. The newer functions are used where the system has
// them; otherwise Windows 7's own, which give the system DPI's values. That
// fallback is exact: without the newer functions the manifest makes the
// process system-DPI aware, so every window is at the system DPI.
class DisplayApi {
public:
    explicit DisplayApi(NewerDisplayFunctions newer) : newer_(newer) {}
    virtual ~DisplayApi() = default;

    // The running system's, shared by the whole process.
    static const DisplayApi& OfThisSystem();

    // Virtual, like the rest that a window asks, so that a test can stand in
    // for a screen of another DPI or for settings the user changes.
    virtual UINT WindowDpi(HWND window) const;
    virtual UINT SystemDpi() const;
    // AdjustWindowRectEx at a DPI.
    bool AdjustWindowRect(RECT& rect, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) const;
    // SystemParametersInfo's SPI_GETNONCLIENTMETRICS, SPI_GETICONTITLELOGFONT
    // and SPI_GETICONMETRICS at a DPI.
    virtual bool SystemParameters(UINT action, UINT size, void* data, UINT dpi) const;
    int SystemMetric(int index, UINT dpi) const;
    // High contrast asks that every colour painted be a system colour.
    virtual bool HighContrast() const;

private:
    NewerDisplayFunctions newer_;
};

}  // namespace vorlen
