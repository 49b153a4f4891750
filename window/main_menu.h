#pragma once
#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "window/command_state.h"

namespace vorlen {

// The menu bar and the context menu of the grids. The menus show the states
// that the command rule gives them and keep nothing beside what they show.
class MainMenu {
public:
    // The drop-down menus of the bar, by their place in it.
    enum DropDown { kFile = 0, kEdit = 1, kView = 2, kSort = 3, kTool = 4, kHelp = 5 };

    MainMenu() = default;
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;
    ~MainMenu();

    void Load(HINSTANCE instance);
    HMENU Bar() const { return bar_; }
    HMENU ContextMenu() const { return context_; }
    std::optional<DropDown> DropDownOf(HMENU menu) const;

    // Shows the states of these commands wherever their items are.
    void Show(const CommandStates& states, std::initializer_list<unsigned> commands);
    // The whole Sort menu at once; the bar is redrawn when it changes.
    void ShowSortMenu(bool enabled, HWND owner);

    bool Enabled(unsigned command) const;
    bool Checked(unsigned command) const;
    bool SortMenuEnabled() const;
    void SetCaption(unsigned command, const std::wstring& caption);
    std::wstring Caption(unsigned command) const;

private:
    // The bar or the context menu, whichever holds the command; 0xFFFFFFFF
    // from GetMenuState when neither does.
    UINT StateOf(unsigned command) const;

    HMENU bar_ = nullptr;  // destroyed with the window that shows it
    HMENU contextRoot_ = nullptr;
    HMENU context_ = nullptr;
};

}  // namespace vorlen
