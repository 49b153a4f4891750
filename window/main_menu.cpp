#include "window/main_menu.h"

#include <vector>

#include "resources/resource.h"

namespace vorlen {

MainMenu::~MainMenu() {
    // The bar belongs to the window, which destroys it with itself.
    if (popupRoot_) DestroyMenu(popupRoot_);
}

void MainMenu::Load(HINSTANCE instance) {
    bar_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU));
    popupRoot_ = LoadMenuW(instance, MAKEINTRESOURCEW(IDR_POPUPMENU));
    popup_ = popupRoot_ ? GetSubMenu(popupRoot_, 0) : nullptr;
    items_[IDM_VIEW_TYPE_LIST].checked = true;
}

int MainMenu::TopLevelOf(HMENU menu) const {
    for (int i = kFile; i <= kHelp; ++i)
        if (bar_ && GetSubMenu(bar_, i) == menu) return i;
    return -1;
}

bool MainMenu::Enabled(UINT id) const {
    const auto found = items_.find(id);
    return found == items_.end() || found->second.enabled;
}

void MainMenu::SetEnabled(UINT id, bool enabled) {
    items_[id].enabled = enabled;
    Show(id);
}

bool MainMenu::Checked(UINT id) const {
    const auto found = items_.find(id);
    return found != items_.end() && found->second.checked;
}

void MainMenu::SetChecked(UINT id, bool checked) {
    items_[id].checked = checked;
    Show(id);
}

void MainMenu::SetSortMenuEnabled(bool enabled, HWND owner) {
    sortMenuEnabled_ = enabled;
    if (!bar_) return;
    EnableMenuItem(bar_, kSort, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    if (owner) DrawMenuBar(owner);
}

void MainMenu::SetCaption(UINT id, const std::wstring& caption) {
    if (!bar_) return;
    MENUITEMINFOW info{sizeof(info)};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    SetMenuItemInfoW(bar_, id, FALSE, &info);
}

std::wstring MainMenu::Caption(UINT id) const {
    if (!bar_) return {};
    const int length = GetMenuStringW(bar_, id, nullptr, 0, MF_BYCOMMAND);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    GetMenuStringW(bar_, id, text.data(), static_cast<int>(text.size()), MF_BYCOMMAND);
    return text.data();
}

void MainMenu::Show(UINT id) const {
    const ItemState state = items_.at(id);
    for (HMENU menu : {bar_, popup_}) {
        if (!menu) continue;
        EnableMenuItem(menu, id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

}  // namespace vorlen
