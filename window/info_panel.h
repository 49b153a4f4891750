#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "platform/win32/unique_handle.h"
#include "window/main_layout.h"

namespace vorlen {

// The information frame fraInfo: three labelled boxes txtInfo(0) to (2) with
// the key name, program name and uninstall command of the selected row, the
// filter toggles chkFilter0 to chkFilter2 beside them, and the buttons
// cmdDetail and cmdRun. The toggles' values, the boxes' locked state, the
// caption of cmdDetail and the enabled states live here; the controls show
// them. The boxes' texts are the user's to edit and are read from the boxes.
class InfoPanel {
public:
    // Creates the controls in tab order, all as children of `parent`.
    void Create(HWND parent, HINSTANCE instance);

    HWND Box(int index) const { return boxes_[index]; }
    HWND Toggle(int index) const { return toggles_[index]; }
    HWND DetailButton() const { return detailButton_; }
    HWND RunButton() const { return runButton_; }
    // Which box or toggle a control is, or -1.
    int BoxIndex(HWND control) const;
    int ToggleIndex(HWND control) const;

    std::wstring BoxText(int index) const;
    void SetBoxText(int index, const std::wstring& text);
    bool Locked() const { return locked_; }
    void SetLocked(bool locked);

    int ToggleValue(int index) const { return toggleValues_[index]; }
    void SetToggleValue(int index, int value);
    bool TogglesEnabled() const { return togglesEnabled_; }
    void SetTogglesEnabled(bool enabled);

    const std::wstring& DetailCaption() const { return detailCaption_; }
    void SetDetailCaption(const std::wstring& caption);
    bool RunEnabled() const { return runEnabled_; }
    void SetRunEnabled(bool enabled);

    // Places the controls for the layout at this DPI.
    void Place(const MainLayout& layout, UINT dpi);
    void SetFont(HFONT font) const;

private:
    HWND frame_ = nullptr;
    std::array<HWND, 3> labels_{};
    std::array<HWND, 3> boxes_{};
    std::array<HWND, 3> toggles_{};
    HWND detailButton_ = nullptr;
    HWND runButton_ = nullptr;
    UniqueIcon filterPicture_;

    bool locked_ = false;
    std::array<int, 3> toggleValues_{};
    bool togglesEnabled_ = true;
    std::wstring detailCaption_;
    bool runEnabled_ = true;
    int infoBoxWidth_ = 0;  // keeps the last width a layout could give
};

}  // namespace vorlen
