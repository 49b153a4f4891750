#include "window/status_bar.h"

#include <commctrl.h>

namespace vorlen {

void StatusBar::Create(HWND parent, int controlId, HINSTANCE instance) {
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
}

std::wstring StatusBar::Text() const {
    if (!hwnd_) return {};
    const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void StatusBar::SetText(const std::wstring& text) {
    if (hwnd_) SendMessageW(hwnd_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::FollowParent() const {
    if (hwnd_) SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

}  // namespace vorlen
