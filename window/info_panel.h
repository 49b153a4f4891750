#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "platform/win32/unique_handle.h"
#include "window/command_state.h"
#include "window/main_layout.h"

namespace vorlen {

// The information frame: three labelled boxes with the key name, program
// name and uninstall command of the selected entry, a filter toggle beside
// each box, and the buttons that switch to the detail view and run the
// uninstall command. The boxes' texts are the user's to edit; everything
// else the frame shows comes from the program's state, and the getters read
// the controls themselves.
class InfoPanel {
public:
    static constexpr int kKeyBox = 0;
    static constexpr int kNameBox = 1;
    static constexpr int kCommandBox = 2;

    // Creates the controls in tab order, all as children of `parent`. The
    // toggles and buttons carry their commands as control ids.
    void Create(HWND parent, HINSTANCE instance);

    HWND Box(int index) const { return boxes_[index]; }
    HWND Toggle(int index) const { return toggles_[index]; }
    HWND DetailButton() const { return detailButton_; }
    HWND RunButton() const { return runButton_; }
    // Which box a control is, or -1.
    int BoxIndex(HWND control) const;

    std::wstring BoxText(int index) const;
    void SetBoxText(int index, const std::wstring& text);

    // Shows the commands' states: toggles pressed and enabled, boxes locked,
    // the buttons enabled, and the detail button's caption for the view.
    void Show(const CommandStates& states, ViewMode view);

    bool Locked() const;
    int ToggleValue(int index) const;
    bool TogglesEnabled() const;
    std::wstring DetailCaption() const;
    bool RunEnabled() const;

    // Places the controls for the layout at this DPI, and shows the toggles'
    // picture drawn for it.
    void Place(const MainLayout& layout, UINT dpi);
    void SetFont(HFONT font) const;

private:
    HWND frame_ = nullptr;
    std::array<HWND, 3> labels_{};
    std::array<HWND, 3> boxes_{};
    std::array<HWND, 3> toggles_{};
    HWND detailButton_ = nullptr;
    HWND runButton_ = nullptr;
    HINSTANCE instance_ = nullptr;
    UniqueIcon filterPicture_;
    UINT pictureDpi_ = 0;  // the DPI the toggles' picture was chosen for
    std::wstring detailCaption_;  // the button's caption in the list view
    std::wstring listCaption_;    // … and in the detail view
    int infoBoxWidth_ = 0;        // keeps the last width a layout could give
};

}  // namespace vorlen
