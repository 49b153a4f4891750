#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <string>

#include "platform/win32/unique_handle.h"

namespace vorlen {

// Toolbar1: seventeen positions, counted from 1, separators included. Each
// button's key, enabled state, pressed state and tooltip live here; the
// toolbar control only shows them.
class MainToolbar {
public:
    static constexpr int kCount = 17;
    static constexpr int kWuaucpl = 11;
    static constexpr int kRowUp = 13;
    static constexpr int kRowDown = 14;
    // Command ids of the buttons are this base plus the position.
    static constexpr int kFirstCommand = 41000;

    HWND Create(HWND parent, int controlId, HINSTANCE instance, UINT dpi);
    HWND Hwnd() const { return hwnd_; }

    int Count() const { return kCount; }
    // "" for a separator.
    const std::wstring& Key(int position) const { return buttons_[position - 1].key; }
    bool IsSeparator(int position) const { return Key(position).empty(); }

    bool Enabled(int position) const { return buttons_[position - 1].enabled; }
    void SetEnabled(int position, bool enabled);
    // The check button's pressed state: 1 pressed, 0 not.
    int Value(int position) const { return buttons_[position - 1].pressed ? 1 : 0; }
    void SetValue(int position, int value);
    // A click on a check button has toggled it before its event arrives.
    void ToggledByClick(int position) { SetValue(position, Value(position) ? 0 : 1); }

    const std::wstring& Tooltip(int position) const { return buttons_[position - 1].tooltip; }
    void SetTooltip(int position, std::wstring tooltip) { buttons_[position - 1].tooltip = std::move(tooltip); }

    // Answers the toolbar's tooltip requests; true when it handled one.
    bool OnNotify(const NMHDR& header);
    int HeightPixels() const;

private:
    struct Button {
        std::wstring key;
        std::wstring tooltip;
        bool check = false;
        bool enabled = true;
        bool pressed = false;
    };
    void Show(int position) const;

    std::array<Button, kCount> buttons_{};
    HWND hwnd_ = nullptr;
    UniqueImageList images_;
};

}  // namespace vorlen
