#include "window/status_bar.h"

#include <commctrl.h>

namespace vorlen {

namespace {

constexpr int kCountPanel = 0;
constexpr int kEntryPanel = 1;

}  // namespace

void StatusBar::Create(HWND parent, int controlId, HINSTANCE instance) {
    // A panel's tooltip shows its whole text when the panel cuts it short.
    hwnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | SBARS_TOOLTIPS, 0, 0,
                            0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance, nullptr);
    SetCountWidth(countWidth_);
}

std::wstring StatusBar::PanelText(int panel) const {
    if (!hwnd_) return {};
    const auto length = LOWORD(SendMessageW(hwnd_, SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

void StatusBar::SetPanelText(int panel, const std::wstring& text) {
    if (hwnd_) SendMessageW(hwnd_, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring StatusBar::Text() const { return PanelText(kCountPanel); }
void StatusBar::SetText(const std::wstring& text) { SetPanelText(kCountPanel, text); }
std::wstring StatusBar::EntryText() const { return PanelText(kEntryPanel); }
void StatusBar::SetEntryText(const std::wstring& text) {
    SetPanelText(kEntryPanel, text);
    // The long notes do not fit a narrow window.
    if (hwnd_) SendMessageW(hwnd_, SB_SETTIPTEXTW, kEntryPanel, reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::SetCountWidth(int pixels) {
    countWidth_ = pixels;
    if (!hwnd_) return;
    // A right edge of -1 takes the bar to its end.
    const int rightEdges[] = {pixels, -1};
    SendMessageW(hwnd_, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(rightEdges));
}

int StatusBar::WidthFor(const std::wstring& text) const {
    if (!hwnd_) return 0;
    const HDC dc = GetDC(hwnd_);
    if (!dc) return 0;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    // The panel's own margins: the bar's borders (horizontal, and between
    // panels) and the edge the panel is drawn with, on either side.
    int borders[3] = {};
    SendMessageW(hwnd_, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, oldFont);
    ReleaseDC(hwnd_, dc);
    return size.cx + 2 * (borders[0] + borders[2]) + metrics.tmAveCharWidth;
}

void StatusBar::FollowParent() const {
    if (hwnd_) SendMessageW(hwnd_, WM_SIZE, 0, 0);
}

}  // namespace vorlen
