#include "window/main_toolbar.h"

#include <commctrl.h>

#include "resources/resource.h"

namespace vorlen {

namespace {

// The keys of ImageList1, in the order of its images.
constexpr const wchar_t* kImageKeys[] = {L"rowup",     L"rowdown",     L"refresh",    L"sortexeup",    L"sortexedown",
                                         L"sortkeyup", L"sortkeydown", L"sortnameup", L"sortnamedown", L"wuaucpl",
                                         L"reg",       L"cmd",         L"appwiz"};
constexpr int kImageSize = 16;

std::wstring LoadText(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

}  // namespace

HWND MainToolbar::Create(HWND parent, int controlId, HINSTANCE instance, UINT dpi) {
    struct Layout {
        const wchar_t* key;
        UINT tooltip;
        bool check;
    };
    const Layout layout[kCount] = {
        {L"", 0, false},
        {L"sortkeyup", IDS_TIP_SORT_KEY_UP, false},
        {L"sortkeydown", IDS_TIP_SORT_KEY_DOWN, false},
        {L"sortnameup", IDS_TIP_SORT_NAME_UP, false},
        {L"sortnamedown", IDS_TIP_SORT_NAME_DOWN, false},
        {L"sortexeup", IDS_TIP_SORT_EXE_UP, false},
        {L"sortexedown", IDS_TIP_SORT_EXE_DOWN, false},
        {L"", 0, false},
        {L"refresh", IDS_TIP_REFRESH, false},
        {L"", 0, false},
        {L"wuaucpl", IDS_TIP_WUAU, true},
        {L"", 0, false},
        {L"rowup", IDS_TIP_ROW_UP, false},
        {L"rowdown", IDS_TIP_ROW_DOWN, false},
        {L"", 0, false},
        {L"reg", IDS_TIP_REGEDIT, false},
        {L"appwiz", IDS_TIP_APPWIZ, false},
    };
    for (int i = 0; i < kCount; ++i) {
        buttons_[i].key = layout[i].key;
        buttons_[i].check = layout[i].check;
        if (layout[i].tooltip) buttons_[i].tooltip = LoadText(instance, layout[i].tooltip);
    }

    hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                            WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0, 0,
                            0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
    if (!hwnd_) return nullptr;
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    // The images, scaled for the DPI; each button shows the image of its own key.
    const int size = MulDiv(kImageSize, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
    images_.reset(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 13, 0));
    if (const UniqueBitmap strip{static_cast<HBITMAP>(
            LoadImageW(instance, MAKEINTRESOURCEW(IDB_TOOLBAR), IMAGE_BITMAP, size * 13, size, LR_CREATEDIBSECTION))}) {
        ImageList_AddMasked(images_.get(), strip.get(), RGB(255, 0, 255));
    }
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));

    TBBUTTON tb[kCount] = {};
    for (int position = 1; position <= kCount; ++position) {
        TBBUTTON& b = tb[position - 1];
        const Button& button = buttons_[position - 1];
        b.idCommand = kFirstCommand + position;
        b.fsState = TBSTATE_ENABLED;
        if (button.key.empty()) {
            b.fsStyle = BTNS_SEP;
            continue;
        }
        b.fsStyle = button.check ? BTNS_CHECK : BTNS_BUTTON;
        b.iBitmap = I_IMAGENONE;
        for (int image = 0; image < 13; ++image) {
            if (button.key == kImageKeys[image]) {
                b.iBitmap = image;
                break;
            }
        }
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, kCount, reinterpret_cast<LPARAM>(tb));
    SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
    return hwnd_;
}

void MainToolbar::SetEnabled(int position, bool enabled) {
    buttons_[position - 1].enabled = enabled;
    Show(position);
}

void MainToolbar::SetValue(int position, int value) {
    buttons_[position - 1].pressed = value != 0;
    Show(position);
}

void MainToolbar::Show(int position) const {
    if (!hwnd_) return;
    const Button& button = buttons_[position - 1];
    BYTE state = button.enabled ? TBSTATE_ENABLED : 0;
    if (button.pressed) state |= TBSTATE_CHECKED;
    SendMessageW(hwnd_, TB_SETSTATE, kFirstCommand + position, MAKELONG(state, 0));
}

bool MainToolbar::OnNotify(const NMHDR& header) {
    if (header.code != TTN_GETDISPINFOW) return false;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    const int position = static_cast<int>(info.hdr.idFrom) - kFirstCommand;
    if (position < 1 || position > kCount) return false;
    info.lpszText = const_cast<wchar_t*>(buttons_[position - 1].tooltip.c_str());
    return true;
}

int MainToolbar::HeightPixels() const {
    if (!hwnd_) return 0;
    RECT rect{};
    GetWindowRect(hwnd_, &rect);
    return rect.bottom - rect.top;
}

}  // namespace vorlen
