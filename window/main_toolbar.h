#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "window/command_state.h"

namespace vorlen {

// The toolbar: twelve buttons in four groups, each carrying the command it
// runs. The buttons show the states the command rule gives them; their
// tooltips are the texts of the matching menu items.
class MainToolbar {
public:
    HWND Create(HWND parent, int controlId, HINSTANCE instance, UINT dpi);
    HWND Hwnd() const { return hwnd_; }
    // Shows the pictures drawn for this DPI.
    void SetDpi(UINT dpi);

    // Shows every button's enabled state and the hotfix-only button's
    // pressed state.
    void Show(const CommandStates& states);

    bool Enabled(unsigned command) const;
    bool Checked(unsigned command) const;
    std::wstring Tooltip(unsigned command) const;
    void SetTooltip(unsigned command, std::wstring tooltip);

    // Answers the toolbar's tooltip requests; true when it handled one.
    bool OnNotify(const NMHDR& header);

private:
    struct ButtonTooltip {
        unsigned command;
        std::wstring text;
    };

    HWND hwnd_ = nullptr;
    HINSTANCE instance_ = nullptr;
    UniqueImageList images_;
    std::vector<ButtonTooltip> tooltips_;
};

}  // namespace vorlen
