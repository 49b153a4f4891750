#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace vorlen {

// The menu bar and the context menu mnuPopup. Enabled states and check marks
// live here and the menus show them; the hidden context-menu items Cut and
// Paste exist only as states, since they are never shown.
class MainMenu {
public:
    // The top-level menus by their place in the bar.
    enum TopLevel { kFile = 0, kEdit = 1, kView = 2, kSort = 3, kTool = 4, kHelp = 5 };

    ~MainMenu();
    void Load(HINSTANCE instance);
    HMENU Bar() const { return bar_; }
    HMENU Popup() const { return popup_; }
    // Which top-level menu a drop-down is, or -1.
    int TopLevelOf(HMENU menu) const;

    bool Enabled(UINT id) const;
    void SetEnabled(UINT id, bool enabled);
    bool Checked(UINT id) const;
    void SetChecked(UINT id, bool checked);
    bool SortMenuEnabled() const { return sortMenuEnabled_; }
    void SetSortMenuEnabled(bool enabled, HWND owner);
    void SetCaption(UINT id, const std::wstring& caption);
    std::wstring Caption(UINT id) const;

private:
    struct ItemState {
        bool enabled = true;
        bool checked = false;
    };
    void Show(UINT id) const;

    HMENU bar_ = nullptr;
    HMENU popupRoot_ = nullptr;
    HMENU popup_ = nullptr;
    std::map<UINT, ItemState> items_;
    bool sortMenuEnabled_ = true;
};

}  // namespace vorlen
