#include "window/info_panel.h"

#include <commctrl.h>

#include "resources/resource.h"

namespace vorlen {

namespace {

// The frame's place in the client area, and its contents' places inside it,
// in twips.
constexpr int kFrameLeft = 60;
constexpr int kFrameTop = 300;
constexpr int kFrameHeight = 1275;
constexpr int kRowTops[3] = {180, 540, 900};
constexpr int kLabelLeft = 180;
constexpr int kLabelTops[3] = {240, 600, 960};
// The labels reach to just before the boxes, so that a Japanese UI font a
// little wider than the classic one still shows them whole.
constexpr int kLabelWidth = kInfoBoxLeft - kLabelLeft - 30;
constexpr int kLabelHeight = 180;
constexpr int kRowHeight = 315;

std::wstring LoadText(HINSTANCE instance, UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

HWND Child(HWND parent, HINSTANCE instance, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
           DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

int Px(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

void PlaceInFrame(HWND control, int left, int top, int width, int height, UINT dpi) {
    MoveWindow(control, Px(kFrameLeft + left, dpi), Px(kFrameTop + top, dpi), Px(width, dpi), Px(height, dpi), TRUE);
}

}  // namespace

void InfoPanel::Create(HWND parent, HINSTANCE instance) {
    frame_ = Child(parent, instance, WC_BUTTONW, L"", BS_GROUPBOX, IDC_FRAINFO);
    const UINT labelTexts[3] = {IDS_LABEL_KEY, IDS_LABEL_NAME, IDS_LABEL_COMMAND};
    for (int i = 0; i < 3; ++i)
        labels_[i] = Child(parent, instance, WC_STATICW, LoadText(instance, labelTexts[i]), SS_LEFT | SS_NOPREFIX,
                           IDC_LABEL1 + i);
    for (int i = 0; i < 3; ++i)
        boxes_[i] =
            Child(parent, instance, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, IDC_TXTINFO0 + i, WS_EX_CLIENTEDGE);

    // The toggles' picture: the bitmap with its magenta background made transparent.
    if (const UniqueImageList list{ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0)}) {
        if (const UniqueBitmap bitmap{static_cast<HBITMAP>(
                LoadImageW(instance, MAKEINTRESOURCEW(IDB_FILTER), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))}) {
            ImageList_AddMasked(list.get(), bitmap.get(), RGB(255, 0, 255));
            filterPicture_.reset(ImageList_GetIcon(list.get(), 0, ILD_NORMAL));
        }
    }
    for (int i = 0; i < 3; ++i) {
        toggles_[i] = Child(parent, instance, WC_BUTTONW, L"", WS_TABSTOP | BS_CHECKBOX | BS_PUSHLIKE | BS_ICON,
                            IDC_CHKFILTER0 + i);
        if (filterPicture_)
            SendMessageW(toggles_[i], BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(filterPicture_.get()));
    }
    detailCaption_ = LoadText(instance, IDS_CMD_DETAIL);
    detailButton_ = Child(parent, instance, WC_BUTTONW, detailCaption_, WS_TABSTOP | BS_PUSHBUTTON, IDC_CMDDETAIL);
    runButton_ =
        Child(parent, instance, WC_BUTTONW, LoadText(instance, IDS_CMD_RUN), WS_TABSTOP | BS_PUSHBUTTON, IDC_CMDRUN);
}

int InfoPanel::BoxIndex(HWND control) const {
    for (int i = 0; i < 3; ++i)
        if (control && boxes_[i] == control) return i;
    return -1;
}

int InfoPanel::ToggleIndex(HWND control) const {
    for (int i = 0; i < 3; ++i)
        if (control && toggles_[i] == control) return i;
    return -1;
}

std::wstring InfoPanel::BoxText(int index) const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(boxes_[index])) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(boxes_[index], text.data(), static_cast<int>(text.size()))));
    return text;
}

void InfoPanel::SetBoxText(int index, const std::wstring& text) { SetWindowTextW(boxes_[index], text.c_str()); }

void InfoPanel::SetLocked(bool locked) {
    locked_ = locked;
    for (HWND box : boxes_) SendMessageW(box, EM_SETREADONLY, locked, 0);
}

void InfoPanel::SetToggleValue(int index, int value) {
    toggleValues_[index] = value;
    SendMessageW(toggles_[index], BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void InfoPanel::SetTogglesEnabled(bool enabled) {
    togglesEnabled_ = enabled;
    for (HWND toggle : toggles_) EnableWindow(toggle, enabled);
}

void InfoPanel::SetDetailCaption(const std::wstring& caption) {
    detailCaption_ = caption;
    SetWindowTextW(detailButton_, caption.c_str());
}

void InfoPanel::SetRunEnabled(bool enabled) {
    runEnabled_ = enabled;
    EnableWindow(runButton_, enabled);
}

void InfoPanel::Place(const MainLayout& layout, UINT dpi) {
    MoveWindow(frame_, Px(kFrameLeft, dpi), Px(kFrameTop, dpi), Px(layout.frameWidth, dpi), Px(kFrameHeight, dpi),
               TRUE);
    for (int i = 0; i < 3; ++i) {
        PlaceInFrame(labels_[i], kLabelLeft, kLabelTops[i], kLabelWidth, kLabelHeight, dpi);
        PlaceInFrame(toggles_[i], layout.filterLeft, kRowTops[i], kFilterWidth, kRowHeight, dpi);
    }
    PlaceInFrame(detailButton_, layout.buttonLeft, kRowTops[0], kButtonWidth, kRowHeight, dpi);
    PlaceInFrame(runButton_, layout.buttonLeft, kRowTops[2], kButtonWidth, kRowHeight, dpi);
    // A width that comes out negative is refused: the boxes keep their width.
    if (layout.infoBoxHasWidth) infoBoxWidth_ = layout.infoBoxWidth;
    for (int i = 0; i < 3; ++i) PlaceInFrame(boxes_[i], kInfoBoxLeft, kRowTops[i], infoBoxWidth_, kRowHeight, dpi);
}

void InfoPanel::SetFont(HFONT font) const {
    const HWND controls[] = {frame_,    labels_[0], labels_[1],    labels_[2], boxes_[0],
                             boxes_[1], boxes_[2],  detailButton_, runButton_};
    for (HWND control : controls) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace vorlen
