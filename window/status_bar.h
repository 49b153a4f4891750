#pragma once
#include <windows.h>

#include <string>

namespace vorlen {

// The status bar at the foot of the main window: one panel of text.
class StatusBar {
public:
    void Create(HWND parent, int controlId, HINSTANCE instance);
    HWND Hwnd() const { return hwnd_; }

    std::wstring Text() const;
    void SetText(const std::wstring& text);
    // Follows the parent's new size, as a status bar does on WM_SIZE.
    void FollowParent() const;

private:
    HWND hwnd_ = nullptr;
};

}  // namespace vorlen
