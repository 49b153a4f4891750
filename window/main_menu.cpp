#include "window/main_menu.h"

#include <vector>

#include "resources/resource.h"

namespace vorlen {

MainMenu::~MainMenu() {
    if (contextRoot_) DestroyMenu(contextRoot_);
}

void MainMenu::Load(HINSTANCE instance) {
    bar_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU));
    contextRoot_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_POPUPMENU));
    context_ = contextRoot_ ? GetSubMenu(contextRoot_, 0) : nullptr;
}

std::optional<MainMenu::DropDown> MainMenu::DropDownOf(HMENU menu) const {
    for (int place = kFile; place <= kHelp; ++place)
        if (bar_ && GetSubMenu(bar_, place) == menu) return static_cast<DropDown>(place);
    return std::nullopt;
}

void MainMenu::Show(const CommandStates& states, std::initializer_list<unsigned> commands) {
    for (const unsigned command : commands) {
        const CommandStates::State state = states.Of(command);
        for (HMENU menu : {bar_, context_}) {
            if (!menu) continue;
            EnableMenuItem(menu, command, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(menu, command, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

void MainMenu::ShowSortMenu(bool enabled, HWND owner) {
    if (!bar_ || SortMenuEnabled() == enabled) return;
    EnableMenuItem(bar_, kSort, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (owner) DrawMenuBar(owner);
}

UINT MainMenu::StateOf(unsigned command) const {
    UINT state = bar_ ? GetMenuState(bar_, command, MF_BYCOMMAND) : static_cast<UINT>(-1);
    if (state == static_cast<UINT>(-1) && context_) state = GetMenuState(context_, command, MF_BYCOMMAND);
    return state;
}

bool MainMenu::Enabled(unsigned command) const {
    const UINT state = StateOf(command);
    return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

bool MainMenu::Checked(unsigned command) const {
    const UINT state = StateOf(command);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED) != 0;
}

bool MainMenu::SortMenuEnabled() const {
    return bar_ && (GetMenuState(bar_, kSort, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void MainMenu::SetCaption(unsigned command, const std::wstring& caption) {
    if (!bar_) return;
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    SetMenuItemInfoW(bar_, command, FALSE, &info);
}

std::wstring MainMenu::Caption(unsigned command) const {
    if (!bar_) return {};
    const int length = GetMenuStringW(bar_, command, nullptr, 0, MF_BYCOMMAND);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    GetMenuStringW(bar_, command, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND);
    return text.data();
}

}  // namespace vorlen
