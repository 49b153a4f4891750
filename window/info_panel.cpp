#include "window/info_panel.h"

#include <commctrl.h>

#include "core/nuls_as_blanks.h"
#include "platform/win32/resource_text.h"
#include "resources/resource.h"
#include "window/dpi_pictures.h"

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

HWND Child(HWND parent, HINSTANCE instance, const wchar_t* cls, const std::wstring& text, DWORD style, int id,
           DWORD exStyle = 0) {
    return CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

void PlaceInFrame(HWND control, int left, int top, int width, int height, UINT dpi) {
    MoveWindow(control, TwipsToPixels(kFrameLeft + left, dpi), TwipsToPixels(kFrameTop + top, dpi),
               TwipsToPixels(width, dpi), TwipsToPixels(height, dpi), TRUE);
}

}  // namespace

void InfoPanel::Create(HWND parent, HINSTANCE instance) {
    frame_ = Child(parent, instance, WC_BUTTONW, L"", BS_GROUPBOX, IDC_INFO_FRAME);
    const UINT labelTexts[3] = {IDS_LABEL_KEY, IDS_LABEL_NAME, IDS_LABEL_COMMAND};
    const int labelIds[3] = {IDC_KEY_LABEL, IDC_NAME_LABEL, IDC_COMMAND_LABEL};
    for (int i = 0; i < 3; ++i)
        labels_[i] = Child(parent, instance, WC_STATICW, LoadResourceText(instance, labelTexts[i]),
                           SS_LEFT | SS_NOPREFIX, labelIds[i]);
    const int boxIds[3] = {IDC_KEY_BOX, IDC_NAME_BOX, IDC_COMMAND_BOX};
    for (int i = 0; i < 3; ++i)
        boxes_[i] = Child(parent, instance, WC_EDITW, L"", WS_TABSTOP | ES_AUTOHSCROLL, boxIds[i], WS_EX_CLIENTEDGE);

    // The toggles show only a picture (chosen by the DPI of each layout); the
    // text, which a picture button does not draw, is their accessible name.
    const int toggleCommands[3] = {IDM_FILTER_KEY, IDM_FILTER_NAME, IDM_FILTER_COMMAND};
    const UINT toggleNames[3] = {IDS_FILTER_KEY_NAME, IDS_FILTER_NAME_NAME, IDS_FILTER_COMMAND_NAME};
    for (int i = 0; i < 3; ++i)
        toggles_[i] = Child(parent, instance, WC_BUTTONW, LoadResourceText(instance, toggleNames[i]),
                            WS_TABSTOP | BS_CHECKBOX | BS_PUSHLIKE | BS_ICON, toggleCommands[i]);
    instance_ = instance;
    detailCaption_ = LoadResourceText(instance, IDS_CMD_DETAIL);
    listCaption_ = LoadResourceText(instance, IDS_CMD_LIST);
    detailButton_ = Child(parent, instance, WC_BUTTONW, detailCaption_, WS_TABSTOP | BS_PUSHBUTTON, IDM_ENTRY_DETAIL);
    runButton_ = Child(parent, instance, WC_BUTTONW, LoadResourceText(instance, IDS_CMD_RUN),
                       WS_TABSTOP | BS_PUSHBUTTON, IDM_ENTRY_RUN);
}

int InfoPanel::BoxIndex(HWND control) const {
    for (int i = 0; i < 3; ++i)
        if (control && boxes_[i] == control) return i;
    return -1;
}

std::wstring InfoPanel::BoxText(int index) const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(boxes_[index])) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(boxes_[index], text.data(), static_cast<int>(text.size()))));
    return text;
}

// An edit box ends its text at the first NUL: the blanks keep the rest in
// view, and the commands run what the box shows.
void InfoPanel::SetBoxText(int index, const std::wstring& text) {
    SetWindowTextW(boxes_[index], NulsAsBlanks(text).c_str());
}

void InfoPanel::Show(const CommandStates& states, ViewMode view) {
    const unsigned toggleCommands[3] = {IDM_FILTER_KEY, IDM_FILTER_NAME, IDM_FILTER_COMMAND};
    for (int i = 0; i < 3; ++i) {
        const CommandStates::State state = states.Of(toggleCommands[i]);
        SendMessageW(toggles_[i], BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        EnableWindow(toggles_[i], state.enabled);
    }
    if (states.infoBoxesLocked != Locked())
        for (HWND box : boxes_) SendMessageW(box, EM_SETREADONLY, states.infoBoxesLocked, 0);
    const std::wstring& caption = view == ViewMode::Detail ? listCaption_ : detailCaption_;
    if (DetailCaption() != caption) SetWindowTextW(detailButton_, caption.c_str());
    EnableWindow(detailButton_, states.Enabled(IDM_ENTRY_DETAIL));
    EnableWindow(runButton_, states.Enabled(IDM_ENTRY_RUN));
}

bool InfoPanel::Locked() const { return (GetWindowLongPtrW(boxes_[0], GWL_STYLE) & ES_READONLY) != 0; }

int InfoPanel::ToggleValue(int index) const {
    return SendMessageW(toggles_[index], BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

bool InfoPanel::TogglesEnabled() const { return IsWindowEnabled(toggles_[0]) != FALSE; }

std::wstring InfoPanel::DetailCaption() const {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(detailButton_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(detailButton_, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool InfoPanel::RunEnabled() const { return IsWindowEnabled(runButton_) != FALSE; }

void InfoPanel::Place(const MainLayout& layout, UINT dpi) {
    if (dpi != pictureDpi_) {
        filterPicture_ = ShowButtonPicture(toggles_, instance_, kFilterPictures, dpi);
        pictureDpi_ = dpi;
    }
    MoveWindow(frame_, TwipsToPixels(kFrameLeft, dpi), TwipsToPixels(kFrameTop, dpi),
               TwipsToPixels(layout.frameWidth, dpi), TwipsToPixels(kFrameHeight, dpi), TRUE);
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
