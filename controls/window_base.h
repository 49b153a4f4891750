#pragma once
#include <windows.h>

namespace vorlen {

// Binds a C++ object to its window at creation and dispatches every message
// to HandleMessage. No exception leaves the window procedure: one that
// escapes a handler ends that message with the default processing, and the
// window stays usable; any but a lack of memory is reported as a fault of
// the program (ReportProgramFault).
class WindowBase {
public:
    WindowBase() = default;
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase() = default;

    HWND Hwnd() const { return hwnd_; }

protected:
    // Registers the class once per process with this class's window procedure.
    static bool RegisterClassOnce(HINSTANCE instance, const wchar_t* className, HICON icon, HBRUSH background,
                                  UINT classStyle = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
    // Creates the window; `this` reaches HandleMessage from WM_NCCREATE on.
    HWND CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

}  // namespace vorlen
