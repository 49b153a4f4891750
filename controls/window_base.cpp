#include "controls/window_base.h"

#include <exception>
#include <new>

#include "controls/program_fault.h"

namespace vorlen {

bool WindowBase::RegisterClassOnce(HINSTANCE instance, const wchar_t* className, HICON icon, HBRUSH background,
                                   UINT classStyle) {
    WNDCLASSEXW existing{sizeof(existing)};
    if (GetClassInfoExW(instance, className, &existing)) return true;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = classStyle;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

HWND WindowBase::CreateBound(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x, int y,
                             int width, int height, HWND parent, HMENU menu, HINSTANCE instance) {
    return CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu, instance, this);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    // Unwinding through the system's frames of the window procedure is
    // undefined, whatever was thrown: the message ends with the default
    // processing. Lack of memory ends it quietly, as it ends a command;
    // anything else is a fault of the program, reported as a command's is.
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    } catch (const std::exception& failure) {
        ReportProgramFault(failure.what());
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    } catch (...) {
        ReportProgramFault("a window procedure threw something other than an exception");
        result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace vorlen
