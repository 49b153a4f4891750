#include "window/main_toolbar.h"

#include <iterator>

#include "platform/win32/resource_text.h"
#include "resources/resource.h"
#include "window/dpi_pictures.h"

namespace vorlen {

namespace {

// The images of IDB_TOOLBAR, side by side in this order.
enum Image {
    kRowUp,
    kRowDown,
    kRefresh,
    kSortExeUp,
    kSortExeDown,
    kSortKeyUp,
    kSortKeyDown,
    kSortNameUp,
    kSortNameDown,
    kHotfix,
    kRegistryEditor,
    kConsole,
    kAddRemove,
    kImageCount
};

// One button of the toolbar, or a separator where `command` is 0.
struct ButtonDefinition {
    unsigned command;
    int image;
    unsigned tooltip;
    bool check;
};

constexpr ButtonDefinition kButtons[] = {
    {0, 0, 0, false},
    {IDM_SORT_KEY_UP, kSortKeyUp, IDS_TIP_SORT_KEY_UP, false},
    {IDM_SORT_KEY_DOWN, kSortKeyDown, IDS_TIP_SORT_KEY_DOWN, false},
    {IDM_SORT_NAME_UP, kSortNameUp, IDS_TIP_SORT_NAME_UP, false},
    {IDM_SORT_NAME_DOWN, kSortNameDown, IDS_TIP_SORT_NAME_DOWN, false},
    {IDM_SORT_EXE_UP, kSortExeUp, IDS_TIP_SORT_EXE_UP, false},
    {IDM_SORT_EXE_DOWN, kSortExeDown, IDS_TIP_SORT_EXE_DOWN, false},
    {0, 0, 0, false},
    {IDM_VIEW_REFRESH, kRefresh, IDS_TIP_REFRESH, false},
    {0, 0, 0, false},
    {IDM_VIEW_WUAU, kHotfix, IDS_TIP_WUAU, true},
    {0, 0, 0, false},
    {IDM_VIEW_UP, kRowUp, IDS_TIP_ROW_UP, false},
    {IDM_VIEW_DOWN, kRowDown, IDS_TIP_ROW_DOWN, false},
    {0, 0, 0, false},
    {IDM_TOOL_REGEDIT, kRegistryEditor, IDS_TIP_REGEDIT, false},
    {IDM_TOOL_APPWIZ, kAddRemove, IDS_TIP_APPWIZ, false},
};

}  // namespace

HWND MainToolbar::Create(HWND parent, int controlId, HINSTANCE instance, UINT dpi) {
    hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                            WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0, 0,
                            0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
    if (!hwnd_) return nullptr;
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    instance_ = instance;
    images_ = ShowToolbarPictures(hwnd_, instance, kToolbarPictures, kImageCount, dpi);

    TBBUTTON buttons[std::size(kButtons)] = {};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        const ButtonDefinition& definition = kButtons[i];
        TBBUTTON& button = buttons[i];
        button.fsState = TBSTATE_ENABLED;
        if (definition.command == 0) {
            button.fsStyle = BTNS_SEP;
            continue;
        }
        button.idCommand = static_cast<int>(definition.command);
        button.iBitmap = definition.image;
        button.fsStyle = definition.check ? BTNS_CHECK : BTNS_BUTTON;
        tooltips_.push_back({definition.command, LoadResourceText(instance, definition.tooltip)});
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
    return hwnd_;
}

void MainToolbar::SetDpi(UINT dpi) {
    if (hwnd_) images_ = ShowToolbarPictures(hwnd_, instance_, kToolbarPictures, kImageCount, dpi);
}

void MainToolbar::Show(const CommandStates& states) {
    if (!hwnd_) return;
    for (const ButtonDefinition& definition : kButtons) {
        if (definition.command == 0) continue;
        const bool enabled =
            definition.command == IDM_VIEW_WUAU ? states.hotfixButtonEnabled : states.Enabled(definition.command);
        BYTE state = enabled ? TBSTATE_ENABLED : 0;
        if (definition.check && states.Checked(definition.command)) state |= TBSTATE_CHECKED;
        const auto shown = static_cast<BYTE>(SendMessageW(hwnd_, TB_GETSTATE, definition.command, 0));
        if (shown != state) SendMessageW(hwnd_, TB_SETSTATE, definition.command, MAKELONG(state, 0));
    }
}

bool MainToolbar::Enabled(unsigned command) const {
    return hwnd_ && SendMessageW(hwnd_, TB_ISBUTTONENABLED, command, 0) != 0;
}

bool MainToolbar::Checked(unsigned command) const {
    return hwnd_ && SendMessageW(hwnd_, TB_ISBUTTONCHECKED, command, 0) != 0;
}

std::wstring MainToolbar::Tooltip(unsigned command) const {
    for (const auto& tooltip : tooltips_)
        if (tooltip.command == command) return tooltip.text;
    return {};
}

void MainToolbar::SetTooltip(unsigned command, std::wstring text) {
    for (auto& tooltip : tooltips_)
        if (tooltip.command == command) tooltip.text = std::move(text);
}

bool MainToolbar::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != reinterpret_cast<HWND>(SendMessageW(hwnd_, TB_GETTOOLTIPS, 0, 0)) ||
        header.code != TTN_GETDISPINFOW)
        return false;
    auto& request = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    for (auto& tooltip : tooltips_) {
        if (tooltip.command == request.hdr.idFrom) {
            request.lpszText = tooltip.text.data();
            return true;
        }
    }
    return false;
}

}  // namespace vorlen
