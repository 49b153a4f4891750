#pragma once
#include <windows.h>

#include <string>

namespace vorlen {

// The status bar at the foot of the main window: the count panel on the
// left, then the entry panel, which takes the rest of the bar.
class StatusBar {
public:
    void Create(HWND parent, int controlId, HINSTANCE instance);
    HWND Hwnd() const { return hwnd_; }

    // The count panel: the filter's count, or nothing.
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    // The entry panel: what Windows makes of the selected entry.
    std::wstring EntryText() const;
    void SetEntryText(const std::wstring& text);
    // The count panel's width in pixels; the entry panel takes the rest.
    void SetCountWidth(int pixels);
    int CountWidth() const { return countWidth_; }
    // The width in pixels the count panel needs for a text in the bar's font.
    int WidthFor(const std::wstring& text) const;
    // Follows the parent's new size, as a status bar does on WM_SIZE.
    void FollowParent() const;

private:
    std::wstring PanelText(int panel) const;
    void SetPanelText(int panel, const std::wstring& text);

    HWND hwnd_ = nullptr;
    int countWidth_ = 0;
};

}  // namespace vorlen
