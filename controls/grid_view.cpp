#include "controls/grid_view.h"

#include <windowsx.h>

#include "core/twips.h"
#include "grid/grid_cell_padding.h"
#include "platform/win32/unique_handle.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace vorlen {

namespace {

constexpr wchar_t kClassName[] = L"VorlenGrid";
// Posted to itself so that a burst of model changes is laid out once.
constexpr UINT kRelayoutMessage = WM_USER + 1;
// Posted to itself: an accessibility client asked for a double-click's action.
constexpr UINT kActivateMessage = WM_USER + 2;
// The classic light grey lines between data cells; in high contrast the
// text colour.
constexpr COLORREF kGridLineColour = RGB(192, 192, 192);
constexpr int kBorderGripAt96Dpi = 3;
constexpr int kScrollLineAt96Dpi = 16;

// A model colour to a GDI colour: 0x800000nn names system colour nn, the
// unset colour falls back to the given system colour. High contrast asks
// for system colours only: a fixed colour (the detail view's link blue, the
// filtered heading's blue) becomes the system's hot-track colour, which
// every high-contrast theme sets apart from its text.
COLORREF ToColorRef(Colour colour, int fallbackSystemColour, bool highContrast) {
    if (colour == kColourUnset) return GetSysColor(fallbackSystemColour);
    if (colour & 0x80000000u) return GetSysColor(static_cast<int>(colour & 0xFFu));
    if (highContrast) return GetSysColor(COLOR_HOTLIGHT);
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

// Selects an object into a DC for one scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Limits drawing to one area of the grid for one scope.
class ClipScope {
public:
    ClipScope(HDC dc, int left, int top, int right, int bottom) : dc_(dc), saved_(SaveDC(dc)) {
        IntersectClipRect(dc, left, top, right, bottom);
    }
    ~ClipScope() { RestoreDC(dc_, saved_); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    HDC dc_;
    int saved_;
};

class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC Dc() const { return dc_; }
    const RECT& Update() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Reads a position known to lie inside one of the layout vectors.
int Item(const std::vector<int>& values, int index) { return values[static_cast<std::size_t>(index)]; }

SCROLLINFO ScrollInfo(UINT mask) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

void FillSolid(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT rect{left, top, right, bottom};
    FillRect(dc, &rect, brush);
}

}  // namespace

GridView::GridView(GridModel& model)
    : model_(model),
      knownRow_(model.Row()),
      knownCol_(model.Col()),
      knownRowSel_(model.RowSel()),
      knownColSel_(model.ColSel()) {
    model_.SetChangeListener([this](GridModel::Change change) { OnModelChanged(change); });
}

GridView::~GridView() {
    model_.SetChangeListener(nullptr);
    accessibility_.Disconnect();
    if (Hwnd()) DestroyWindow(Hwnd());
}

HWND GridView::Create(HWND parent, int controlId, HINSTANCE instance) {
    // The grid paints every pixel itself and only what changed: no background
    // brush, no redraw of the whole control on every size change.
    if (!RegisterClassOnce(instance, kClassName, nullptr, nullptr, CS_DBLCLKS)) return nullptr;
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL;
    if (model_.Visible()) style |= WS_VISIBLE;
    if (!model_.Enabled()) style |= WS_DISABLED;
    highContrast_ = display_->HighContrast();
    CreateBound(WS_EX_CLIENTEDGE, kClassName, L"", style, 0, 0, 0, 0, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), instance);
    layoutDirty_ = true;
    EnsureLayout();
    return Hwnd();
}

void GridView::SetDpi(UINT dpi) {
    dpi_ = dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
    layoutDirty_ = true;
    EnsureLayout();
}

void GridView::SetDisplay(const DisplayApi& display) {
    display_ = &display;
    OnSystemColoursChanged();
}

void GridView::OnSystemColoursChanged() {
    highContrast_ = display_->HighContrast();
    if (Hwnd()) Invalidate();
}

LRESULT GridView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT: {
        invalidated_ = false;
        EnsureLayout();
        RECT client{};
        GetClientRect(Hwnd(), &client);
        const PaintScope paint(Hwnd());
        PaintBuffered(paint.Dc(), client, paint.Update());
        return 0;
    }
    case WM_PRINTCLIENT: {
        EnsureLayout();
        RECT client{};
        GetClientRect(Hwnd(), &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
        EnsureLayout();
        UpdateScrollBars();
        Invalidate();
        return 0;
    case kRelayoutMessage: OnRelayout(); return 0;
    case kActivateMessage:
        if (activateRow_ >= 0 && AcceptsInput() && activateRow_ < model_.Rows() && activateCol_ < model_.Cols() &&
            !model_.IsRowHidden(activateRow_)) {
            if (!HasFocus()) SetFocus(Hwnd());
            MoveTo(activateRow_, activateCol_, false);
            if (onDoubleClick) onDoubleClick();
        }
        activateRow_ = -1;
        return 0;
    case WM_GETOBJECT:
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT))
            return accessibility_.OnGetObject(wParam, lParam);
        return DefaultHandling(message, wParam, lParam);
    case WM_SETFOCUS:
        // Told after the system's own focus event for the whole grid, so
        // that a screen reader lands on the current cell.
        focusTaken_ = true;
        ScheduleRelayout();
        return 0;
    case WM_NCDESTROY: accessibility_.Disconnect(); return DefaultHandling(message, wParam, lParam);
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) Invalidate();
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_VSCROLL: OnVScroll(wParam); return 0;
    case WM_HSCROLL: OnHScroll(wParam); return 0;
    case WM_MOUSEWHEEL: OnMouseWheel(wParam); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(point, wParam, false); return 0;
    case WM_LBUTTONDBLCLK: OnLeftButtonDown(point, wParam, true); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        // The context menu acts on the control that has the focus, so a right
        // click neither takes the focus nor moves the current cell.
        if (AcceptsInput()) RaiseMouseDown(2);
        return 0;
    case WM_CONTEXTMENU:
        // Shift+F10 reaches here from the default handling of the key; the
        // right button opened the menu already on its press.
        if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) OpenContextMenuFromKeyboard();
        return 0;
    case WM_KEYUP:
        // The Menu key, handled here rather than left to the default
        // handling, which not every system turns into WM_CONTEXTMENU.
        if (wParam == VK_APPS) {
            OpenContextMenuFromKeyboard();
            return 0;
        }
        return DefaultHandling(message, wParam, lParam);
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (AcceptsInput()) RaiseMouseDown(4);
        return 0;
    case WM_MOUSEMOVE: OnMouseMove(point); return 0;
    case WM_LBUTTONUP:
        if (drag_ != Drag::None) {
            drag_ = Drag::None;
            if (GetCapture() == Hwnd()) ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED: drag_ = Drag::None; return 0;
    case WM_CANCELMODE:
        if (GetCapture() == Hwnd()) ReleaseCapture();
        drag_ = Drag::None;
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && AcceptsInput()) {
            POINT cursor{};
            GetCursorPos(&cursor);
            ScreenToClient(Hwnd(), &cursor);
            EnsureLayout();
            if (ColumnBorderAt(cursor) >= 0) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                return TRUE;
            }
        }
        return DefaultHandling(message, wParam, lParam);
    default: return DefaultHandling(message, wParam, lParam);
    }
}

// ---- Model changes ---------------------------------------------------------

void GridView::OnModelChanged(GridModel::Change change) {
    switch (change) {
    case GridModel::Change::Layout:
    case GridModel::Change::Cells:
        // Sorting moves row heights with the cells, so either kind may change
        // which rows are shown.
        cellsChanged_ = cellsChanged_ || change == GridModel::Change::Cells;
        layoutDirty_ = true;
        ScheduleRelayout();
        Invalidate();
        break;
    case GridModel::Change::CurrentCell:
        if (model_.Row() != knownRow_ || model_.Col() != knownCol_) {
            knownRow_ = model_.Row();
            knownCol_ = model_.Col();
            scrollToCurrentPending_ = true;
            currentCellMoved_ = true;
            ScheduleRelayout();
        } else if (model_.RowSel() != knownRowSel_ || model_.ColSel() != knownColSel_) {
            blockChanged_ = true;
            ScheduleRelayout();
        }
        knownRowSel_ = model_.RowSel();
        knownColSel_ = model_.ColSel();
        Invalidate();
        break;
    case GridModel::Change::Visibility: ApplyVisibility(); break;
    }
}

void GridView::ScheduleRelayout() {
    if (!Hwnd() || relayoutPosted_) return;
    relayoutPosted_ = PostMessageW(Hwnd(), kRelayoutMessage, 0, 0) != FALSE;
}

void GridView::OnRelayout() {
    relayoutPosted_ = false;
    if (hidePending_) {
        hidePending_ = false;
        if (!model_.Visible()) ShowWindow(Hwnd(), SW_HIDE);
    }
    EnsureLayout();
    if (scrollToCurrentPending_) {
        scrollToCurrentPending_ = false;
        EnsureVisible(model_.Row(), model_.Col());
    }
    AnnounceChanges();
}

// The current cell is named by the id the table answers for it; a cell in a
// hidden row or in the fixed cells is no child and is not announced.
void GridView::AnnounceChanges() {
    const bool moved = std::exchange(currentCellMoved_, false);
    const bool focused = std::exchange(focusTaken_, false);
    const bool block = std::exchange(blockChanged_, false);
    if (!Hwnd() || !model_.Visible()) return;
    const int row = model_.Row();
    const int col = model_.Col();
    const bool shownDataCell = row >= model_.FixedRows() && row < model_.Rows() && col >= model_.FixedCols() &&
                               col < model_.Cols() && !model_.IsRowHidden(row);
    if (shownDataCell) {
        const LONG cell = GridAccessibility::CellEventId(row, col, model_.Cols());
        if ((moved || focused) && HasFocus()) NotifyWinEvent(EVENT_OBJECT_FOCUS, Hwnd(), OBJID_CLIENT, cell);
        if (moved) NotifyWinEvent(EVENT_OBJECT_SELECTION, Hwnd(), OBJID_CLIENT, cell);
    }
    if (block && !moved) NotifyWinEvent(EVENT_OBJECT_SELECTIONWITHIN, Hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void GridView::EnsureLayout() {
    if (!layoutDirty_) return;
    // Cleared first: the scroll bars below may resize the window, which
    // comes back here.
    layoutDirty_ = false;
    const int oldTopRow = topIndex_ < ShownCount() ? Item(shownRows_, topIndex_) : -1;
    RebuildColumns();
    const bool rowsChanged = RebuildRowIndex() || cellsChanged_;
    cellsChanged_ = false;
    topIndex_ = oldTopRow >= 0 ? ShownIndexOf(oldTopRow) : 0;
    UpdateScrollBars();
    Invalidate();
    // The table's children are other rows, or in another order.
    if (rowsChanged && Hwnd()) NotifyWinEvent(EVENT_OBJECT_REORDER, Hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void GridView::RebuildColumns() {
    const int cols = model_.Cols();
    colLefts_.assign(1, 0);
    for (int c = 0; c < cols; ++c) colLefts_.push_back(colLefts_.back() + ToPixels(model_.ColWidth(c)));
    const int fixedRows = std::min(model_.FixedRows(), model_.Rows());
    fixedRowTops_.assign(1, 0);
    for (int r = 0; r < fixedRows; ++r) fixedRowTops_.push_back(fixedRowTops_.back() + ToPixels(model_.RowHeight(r)));
}

// One pass over the rows, and the only one until the next change: every
// later lookup of a row by position or by pixel is a binary search here.
// True when other rows are shown than before.
bool GridView::RebuildRowIndex() {
    std::size_t count = 0;
    bool changed = false;
    shownTops_.clear();
    int top = 0;
    for (int r = model_.FixedRows(); r < model_.Rows(); ++r) {
        const int height = model_.RowHeight(r);
        if (height == 0) continue;
        if (count < shownRows_.size()) {
            changed = changed || shownRows_[count] != r;
            shownRows_[count] = r;
        } else {
            changed = true;
            shownRows_.push_back(r);
        }
        ++count;
        shownTops_.push_back(top);
        top += std::max(1, ToPixels(height));
    }
    changed = changed || count != shownRows_.size();
    shownRows_.resize(count);
    shownTops_.push_back(top);
    return changed;
}

void GridView::ApplyVisibility() {
    if (!Hwnd()) return;
    if (!model_.Enabled() && GetCapture() == Hwnd()) ReleaseCapture();
    // Only a real change reaches the window system.
    if ((IsWindowEnabled(Hwnd()) != FALSE) != model_.Enabled()) EnableWindow(Hwnd(), model_.Enabled() ? TRUE : FALSE);
    if (model_.Visible()) {
        // A hide still waiting is simply dropped: a handler that hides the
        // grid while it changes it and shows it again costs no window calls.
        hidePending_ = false;
        EnsureLayout();
        if (!HasVisibleStyle()) ShowWindow(Hwnd(), SW_SHOWNA);
    } else if (HasVisibleStyle()) {
        // Hidden once the handler is done, before anything is painted.
        hidePending_ = true;
        ScheduleRelayout();
    }
}

// The window's own visibility, whether or not its parent is shown yet.
bool GridView::HasVisibleStyle() const { return (GetWindowLongPtrW(Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }

void GridView::Invalidate() {
    // Once until the next paint: a fill or a sort changes every row, and each
    // invalidation is a call into the window system.
    if (!Hwnd() || invalidated_) return;
    invalidated_ = InvalidateRect(Hwnd(), nullptr, FALSE) != FALSE;
}

// ---- Geometry --------------------------------------------------------------

int GridView::ToPixels(int twips) const { return TwipsToPixels(twips, dpi_); }

int GridView::FixedHeight() const { return fixedRowTops_.empty() ? 0 : fixedRowTops_.back(); }

int GridView::FixedWidth() const {
    if (colLefts_.empty()) return 0;
    return Item(colLefts_, std::min(model_.FixedCols(), static_cast<int>(colLefts_.size()) - 1));
}

int GridView::DataAreaHeight() const {
    RECT client{};
    if (Hwnd()) GetClientRect(Hwnd(), &client);
    return std::max(0, static_cast<int>(client.bottom) - FixedHeight());
}

int GridView::DataAreaWidth() const {
    RECT client{};
    if (Hwnd()) GetClientRect(Hwnd(), &client);
    return std::max(0, static_cast<int>(client.right) - FixedWidth());
}

int GridView::ShownIndexOf(int row) const {
    return static_cast<int>(std::lower_bound(shownRows_.begin(), shownRows_.end(), row) - shownRows_.begin());
}

// Client y of a shown row's top edge.
int GridView::RowTopPixels(int shownIndex) const {
    return FixedHeight() + Item(shownTops_, shownIndex) - Item(shownTops_, topIndex_);
}

// Client x of a column's left edge; fixed columns do not scroll.
int GridView::ColLeftPixels(int col) const {
    const int left = Item(colLefts_, col);
    return col < model_.FixedCols() ? left : left - scrollX_;
}

int GridView::ColWidthPixels(int col) const { return Item(colLefts_, col + 1) - Item(colLefts_, col); }

// How many shown rows fit wholly below the heading, counted from the top row.
int GridView::PageRows() const {
    if (ShownCount() == 0) return 1;
    const int base = Item(shownTops_, topIndex_);
    const auto first = shownTops_.begin() + topIndex_ + 1;
    const auto end = std::upper_bound(first, shownTops_.end(), base + DataAreaHeight());
    return std::max(1, static_cast<int>(end - first));
}

// The top row from which the last row is wholly in view.
int GridView::MaxTopIndex() const {
    const int count = ShownCount();
    if (count == 0) return 0;
    const int lowest = shownTops_.back() - DataAreaHeight();
    const auto top = std::lower_bound(shownTops_.begin(), shownTops_.begin() + count, lowest);
    return std::min(static_cast<int>(top - shownTops_.begin()), count - 1);
}

int GridView::MaxScrollX() const {
    const int dataWidth = (colLefts_.empty() ? 0 : colLefts_.back()) - FixedWidth();
    return std::max(0, dataWidth - DataAreaWidth());
}

// The column whose right edge lies within grip distance of a point in the
// heading rows, or -1. On a tie the later column wins, so that a column
// dragged to width 0 can be pulled open again.
int GridView::ColumnBorderAt(POINT client) const {
    if (client.y < 0 || client.y >= FixedHeight()) return -1;
    const int grip = std::max(2, MulDiv(kBorderGripAt96Dpi, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI));
    int best = -1;
    int bestDistance = grip;
    for (int c = 0; c < model_.Cols(); ++c) {
        const int edge = ColLeftPixels(c) + ColWidthPixels(c);
        if (c >= model_.FixedCols() && edge < FixedWidth()) continue;  // scrolled under the fixed columns
        const int distance = std::abs(static_cast<int>(client.x) - edge);
        if (distance <= bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<std::pair<int, int>> GridView::CellAt(POINT client) {
    EnsureLayout();
    RECT area{};
    if (!Hwnd() || !GetClientRect(Hwnd(), &area) || !PtInRect(&area, client)) return std::nullopt;
    int row = -1;
    if (client.y < FixedHeight()) {
        const auto next = std::upper_bound(fixedRowTops_.begin(), fixedRowTops_.end(), static_cast<int>(client.y));
        row = static_cast<int>(next - fixedRowTops_.begin()) - 1;
    } else if (ShownCount() > 0) {
        const int y = client.y - FixedHeight() + Item(shownTops_, topIndex_);
        const auto next = std::upper_bound(shownTops_.begin(), shownTops_.end(), y);
        const int index = static_cast<int>(next - shownTops_.begin()) - 1;
        if (index < ShownCount()) row = Item(shownRows_, index);
    }
    if (row < 0) return std::nullopt;
    const bool inFixedCols = client.x < FixedWidth();
    const int x = inFixedCols ? client.x : client.x + scrollX_;
    const auto next = std::upper_bound(colLefts_.begin(), colLefts_.end(), x);
    const int col = static_cast<int>(next - colLefts_.begin()) - 1;
    if (col < 0 || col >= model_.Cols()) return std::nullopt;
    return std::pair{row, col};
}

RECT GridView::CellRect(int row, int col) {
    EnsureLayout();
    if (row < 0 || row >= model_.Rows() || col < 0 || col >= model_.Cols()) return RECT{};
    RECT rect{};
    rect.left = ColLeftPixels(col);
    rect.right = rect.left + ColWidthPixels(col);
    if (row < model_.FixedRows()) {
        rect.top = Item(fixedRowTops_, row);
        rect.bottom = Item(fixedRowTops_, row + 1);
    } else {
        const int index = ShownIndexOf(row);
        if (index >= ShownCount() || Item(shownRows_, index) != row) return RECT{};
        rect.top = RowTopPixels(index);
        rect.bottom = RowTopPixels(index + 1);
    }
    return rect;
}

int GridView::TopRow() {
    EnsureLayout();
    return topIndex_ < ShownCount() ? Item(shownRows_, topIndex_) : -1;
}

int GridView::ShownRowCount() {
    EnsureLayout();
    return ShownCount();
}

int GridView::ShownRow(int index) {
    EnsureLayout();
    return index >= 0 && index < ShownCount() ? Item(shownRows_, index) : -1;
}

int GridView::ShownIndexOfRow(int row) {
    EnsureLayout();
    const int index = ShownIndexOf(row);
    return index < ShownCount() && Item(shownRows_, index) == row ? index : -1;
}

bool GridView::IsInView(int row, int col) {
    EnsureLayout();
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const RECT cell = CellRect(row, std::max(col, 0));
    const LONG top = row < model_.FixedRows() ? 0 : FixedHeight();
    const bool rowInView = cell.bottom > cell.top && cell.top < client.bottom && cell.bottom > top;
    if (col < 0 || !rowInView) return rowInView;
    const LONG left = col < model_.FixedCols() ? 0 : FixedWidth();
    return cell.right > cell.left && cell.left < client.right && cell.right > left;
}

// ---- Scrolling -------------------------------------------------------------

// Showing or hiding one scroll bar changes the room for the other, so the
// bars are set again until the client area stops changing.
void GridView::UpdateScrollBars() {
    if (!Hwnd() || updatingScrollBars_) return;
    updatingScrollBars_ = true;
    for (int pass = 0; pass < 3; ++pass) {
        RECT before{};
        GetClientRect(Hwnd(), &before);
        topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
        scrollX_ = std::clamp(scrollX_, 0, MaxScrollX());

        SCROLLINFO vertical = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
        vertical.nMax = std::max(0, ShownCount() - 1);
        vertical.nPage = static_cast<UINT>(std::max(1, ShownCount() - MaxTopIndex()));
        vertical.nPos = topIndex_;
        SetScrollInfo(Hwnd(), SB_VERT, &vertical, TRUE);

        const int dataWidth = (colLefts_.empty() ? 0 : colLefts_.back()) - FixedWidth();
        SCROLLINFO horizontal = ScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS);
        horizontal.nMax = std::max(0, dataWidth - 1);
        horizontal.nPage = static_cast<UINT>(std::max(1, DataAreaWidth()));
        horizontal.nPos = scrollX_;
        SetScrollInfo(Hwnd(), SB_HORZ, &horizontal, TRUE);

        RECT after{};
        GetClientRect(Hwnd(), &after);
        if (EqualRect(&before, &after)) break;
    }
    topIndex_ = std::clamp(topIndex_, 0, MaxTopIndex());
    scrollX_ = std::clamp(scrollX_, 0, MaxScrollX());
    updatingScrollBars_ = false;
}

void GridView::ScrollTo(int topIndex, int scrollX) {
    topIndex = std::clamp(topIndex, 0, MaxTopIndex());
    scrollX = std::clamp(scrollX, 0, MaxScrollX());
    if (topIndex == topIndex_ && scrollX == scrollX_) return;
    if (topIndex != topIndex_ && Hwnd()) {
        SCROLLINFO info = ScrollInfo(SIF_POS);
        info.nPos = topIndex;
        SetScrollInfo(Hwnd(), SB_VERT, &info, TRUE);
    }
    if (scrollX != scrollX_ && Hwnd()) {
        SCROLLINFO info = ScrollInfo(SIF_POS);
        info.nPos = scrollX;
        SetScrollInfo(Hwnd(), SB_HORZ, &info, TRUE);
    }
    topIndex_ = topIndex;
    scrollX_ = scrollX;
    Invalidate();
}

// Scrolls the least that shows the cell wholly; a hidden row scrolls to
// where it stands among the shown rows.
void GridView::EnsureVisible(int row, int col) {
    EnsureLayout();
    int top = topIndex_;
    int x = scrollX_;
    const int count = ShownCount();
    if (row >= model_.FixedRows() && count > 0) {
        const int index = std::min(ShownIndexOf(row), count - 1);
        const int bottom = Item(shownTops_, index + 1);
        if (index < top) {
            top = index;
        } else if (bottom - Item(shownTops_, top) > DataAreaHeight()) {
            const auto end = shownTops_.begin() + index + 1;
            const auto first = std::lower_bound(shownTops_.begin(), end, bottom - DataAreaHeight());
            top = std::min(static_cast<int>(first - shownTops_.begin()), index);
        }
    }
    if (col >= model_.FixedCols() && col < model_.Cols()) {
        const int left = Item(colLefts_, col) - FixedWidth();
        const int right = left + ColWidthPixels(col);
        if (left < x)
            x = left;
        else if (right - x > DataAreaWidth())
            x = std::min(left, right - DataAreaWidth());
    }
    ScrollTo(top, x);
}

void GridView::OnVScroll(WPARAM wParam) {
    EnsureLayout();
    int top = topIndex_;
    switch (LOWORD(wParam)) {
    case SB_LINEUP: top -= 1; break;
    case SB_LINEDOWN: top += 1; break;
    case SB_PAGEUP: top -= PageRows(); break;
    case SB_PAGEDOWN: top += PageRows(); break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = MaxTopIndex(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = ScrollInfo(SIF_TRACKPOS);
        GetScrollInfo(Hwnd(), SB_VERT, &info);
        top = info.nTrackPos;  // 32-bit, unlike the position in wParam
        break;
    }
    default: return;
    }
    ScrollTo(top, scrollX_);
}

void GridView::OnHScroll(WPARAM wParam) {
    EnsureLayout();
    const int line = MulDiv(kScrollLineAt96Dpi, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    int x = scrollX_;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: x -= line; break;
    case SB_LINERIGHT: x += line; break;
    case SB_PAGELEFT: x -= std::max(line, DataAreaWidth()); break;
    case SB_PAGERIGHT: x += std::max(line, DataAreaWidth()); break;
    case SB_LEFT: x = 0; break;
    case SB_RIGHT: x = MaxScrollX(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info = ScrollInfo(SIF_TRACKPOS);
        GetScrollInfo(Hwnd(), SB_HORZ, &info);
        x = info.nTrackPos;
        break;
    }
    default: return;
    }
    ScrollTo(topIndex_, x);
}

void GridView::OnMouseWheel(WPARAM wParam) {
    if (!AcceptsInput()) return;
    EnsureLayout();
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    // Fine-grained wheels send fractions of a notch; keep the rest for later.
    wheelRemainder_ += GET_WHEEL_DELTA_WPARAM(wParam);
    const int notches = wheelRemainder_ / WHEEL_DELTA;
    wheelRemainder_ %= WHEEL_DELTA;
    if (notches == 0) return;
    const int rowsPerNotch = lines == WHEEL_PAGESCROLL ? PageRows() : static_cast<int>(lines);
    ScrollTo(topIndex_ - notches * rowsPerNotch, scrollX_);
}

// ---- Input -----------------------------------------------------------------

// A disabled grid takes no input even from messages sent to it directly;
// changes made through the model still apply.
bool GridView::AcceptsInput() const { return model_.Enabled(); }

bool GridView::ActivateCell(int row, int col) {
    if (!AcceptsInput()) return false;
    activateRow_ = row;
    activateCol_ = col;
    return PostMessageW(Hwnd(), kActivateMessage, 0, 0) != FALSE;
}

void GridView::RaiseMouseDown(int button) {
    if (onMouseDown) onMouseDown(button);
}

// The menu opens below the current cell, as a list view's opens below its
// focused item; a cell partly under the fixed cells or beyond the client
// area still gives a point inside the grid.
void GridView::OpenContextMenuFromKeyboard() {
    if (!AcceptsInput() || !onKeyboardContextMenu) return;
    const int row = model_.Row();
    const int col = model_.Col();
    EnsureVisible(row, col);
    RECT client{};
    GetClientRect(Hwnd(), &client);
    const RECT cell = CellRect(row, col);
    POINT at{client.left, client.top};  // a hidden current row
    if (!IsRectEmpty(&cell))
        at = {std::clamp(cell.left, client.left, std::max(client.left, client.right - 1)),
              std::clamp(cell.bottom, client.top, std::max(client.top, client.bottom - 1))};
    ClientToScreen(Hwnd(), &at);
    onKeyboardContextMenu(at);
}

// The shown row `delta` shown rows away from `row` (which may itself be
// hidden), stopping at the first and last shown rows; `row` itself when
// there is none in that direction.
int GridView::StepShownRow(int row, int delta) const {
    const int count = ShownCount();
    const int position = ShownIndexOf(row);
    const bool shown = position < count && Item(shownRows_, position) == row;
    if (delta > 0) {
        const int next = shown ? position + 1 : position;
        if (next >= count) return row;
        return Item(shownRows_, std::min(next + delta - 1, count - 1));
    }
    const int previous = position - 1;
    if (previous < 0 || delta == 0) return row;
    return Item(shownRows_, std::max(previous + delta + 1, 0));
}

void GridView::MoveTo(int row, int col, bool extend) {
    if (extend)
        model_.SetSelectionEnd(row, col);
    else
        model_.SetCurrentCell(row, col);
    EnsureVisible(row, col);
}

void GridView::OnKeyDown(WPARAM key) {
    if (!AcceptsInput()) return;
    EnsureLayout();
    if (ShownCount() == 0 || model_.Cols() <= model_.FixedCols()) return;
    const bool extend = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const int fromRow = extend ? model_.RowSel() : model_.Row();
    const int fromCol = extend ? model_.ColSel() : model_.Col();
    const int firstCol = model_.FixedCols();
    const int lastCol = model_.Cols() - 1;
    int row = fromRow;
    int col = std::clamp(fromCol, firstCol, lastCol);
    switch (key) {
    case VK_UP: row = StepShownRow(fromRow, -1); break;
    case VK_DOWN: row = StepShownRow(fromRow, 1); break;
    case VK_PRIOR: {
        const int page = PageRows();
        ScrollTo(topIndex_ - page, scrollX_);
        row = StepShownRow(fromRow, -page);
        break;
    }
    case VK_NEXT: {
        const int page = PageRows();
        ScrollTo(topIndex_ + page, scrollX_);
        row = StepShownRow(fromRow, page);
        break;
    }
    case VK_LEFT: col = std::max(firstCol, fromCol - 1); break;
    case VK_RIGHT: col = std::min(lastCol, fromCol + 1); break;
    case VK_HOME:
        col = firstCol;
        if (control) row = shownRows_.front();
        break;
    case VK_END:
        col = lastCol;
        if (control) row = shownRows_.back();
        break;
    default: return;
    }
    // A current cell left in the heading (the grid had no data rows) comes down to the first one.
    if (row < model_.FixedRows()) row = shownRows_.front();
    MoveTo(row, col, extend);
}

void GridView::OnLeftButtonDown(POINT client, WPARAM keys, bool doubleClick) {
    if (!AcceptsInput()) return;
    if (GetFocus() != Hwnd()) SetFocus(Hwnd());
    EnsureLayout();
    if (!doubleClick) {
        const int border = ColumnBorderAt(client);
        if (border >= 0) {
            drag_ = Drag::ColumnWidth;
            dragCol_ = border;
            dragStartX_ = client.x;
            dragStartTwips_ = model_.ColWidth(border);
            SetCapture(Hwnd());
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            RaiseMouseDown(1);
            return;
        }
    }
    const auto cell = CellAt(client);
    // Clicks on the heading select nothing; a click on a fixed column selects
    // that row; a click on a data cell makes it current.
    const bool onDataRow = cell && cell->first >= model_.FixedRows() && model_.Cols() > model_.FixedCols();
    if (onDataRow) {
        const auto [row, col] = *cell;
        const bool extend = (keys & MK_SHIFT) != 0 && !doubleClick;
        const int lastCol = model_.Cols() - 1;
        if (col < model_.FixedCols()) {
            if (!extend) model_.SetCurrentCell(row, model_.FixedCols());
            model_.SetSelectionEnd(row, lastCol);
            drag_ = Drag::SelectRows;
            EnsureVisible(row, -1);
        } else {
            MoveTo(row, col, extend);
            drag_ = Drag::SelectCells;
        }
        if (doubleClick)
            drag_ = Drag::None;
        else
            SetCapture(Hwnd());
    }
    RaiseMouseDown(1);
    if (doubleClick && onDataRow && onDoubleClick) onDoubleClick();
}

void GridView::OnMouseMove(POINT client) {
    if (drag_ == Drag::None) return;
    if (!AcceptsInput()) {
        drag_ = Drag::None;
        return;
    }
    EnsureLayout();
    if (drag_ == Drag::ColumnWidth) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        const int moved = PixelsToTwips(client.x - dragStartX_, dpi_);
        const int twips = std::max(0, dragStartTwips_ + moved);
        if (twips != model_.ColWidth(dragCol_)) {
            model_.SetColWidth(dragCol_, twips);
            EnsureLayout();
            UpdateWindow(Hwnd());  // live feedback while the button is held
        }
        return;
    }
    ExtendDragTo(client);
}

// Moves the far corner of the block to the data cell nearest the pointer,
// scrolling one step when the pointer has left the data area.
void GridView::ExtendDragTo(POINT client) {
    if (ShownCount() == 0 || model_.Cols() <= model_.FixedCols()) return;
    RECT area{};
    GetClientRect(Hwnd(), &area);
    const int line = MulDiv(kScrollLineAt96Dpi, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    int top = topIndex_;
    int x = scrollX_;
    if (client.y < FixedHeight()) top -= 1;
    if (client.y >= area.bottom) top += 1;
    if (drag_ == Drag::SelectCells) {
        if (client.x < FixedWidth()) x -= line;
        if (client.x >= area.right) x += line;
    }
    ScrollTo(top, x);

    const int lowestY = std::max(FixedHeight(), static_cast<int>(area.bottom) - 1);
    const int y = std::clamp(static_cast<int>(client.y), FixedHeight(), lowestY);
    const int offset = y - FixedHeight() + Item(shownTops_, topIndex_);
    const auto nextRow = std::upper_bound(shownTops_.begin(), shownTops_.end(), offset);
    const int index = std::clamp(static_cast<int>(nextRow - shownTops_.begin()) - 1, 0, ShownCount() - 1);
    const int row = Item(shownRows_, index);

    int col = model_.Cols() - 1;
    if (drag_ == Drag::SelectCells) {
        const int px = std::max(static_cast<int>(client.x), FixedWidth()) + scrollX_;
        const auto nextCol = std::upper_bound(colLefts_.begin(), colLefts_.end(), px);
        col = std::clamp(static_cast<int>(nextCol - colLefts_.begin()) - 1, model_.FixedCols(), model_.Cols() - 1);
    }
    model_.SetSelectionEnd(row, col);
}

// ---- Drawing ---------------------------------------------------------------

void GridView::PaintBuffered(HDC target, const RECT& client, const RECT& update) {
    const int width = std::max(1, static_cast<int>(client.right));
    const int height = std::max(1, static_cast<int>(client.bottom));
    const UniqueMemoryDc buffer(CreateCompatibleDC(target));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(target, width, height));
    if (!buffer || !bitmap) {
        Paint(target, client);
        return;
    }
    const SelectedObject selected(buffer.get(), bitmap.get());
    Paint(buffer.get(), client);
    BitBlt(target, update.left, update.top, update.right - update.left, update.bottom - update.top, buffer.get(),
           update.left, update.top, SRCCOPY);
}

// Draws what is in view from the index and the model: the data cells, then
// the heading rows and fixed columns over them, then the corner.
void GridView::Paint(HDC dc, const RECT& client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    const HGDIOBJ font = font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT);
    const SelectedObject selectedFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    const UniqueBrush gridLine(CreateSolidBrush(highContrast_ ? GetSysColor(COLOR_WINDOWTEXT) : kGridLineColour));

    struct Span {
        int index;
        int start;
        int end;
    };
    std::vector<Span> rows;
    for (int i = topIndex_; i < ShownCount(); ++i) {
        const int top = RowTopPixels(i);
        if (top >= client.bottom) break;
        rows.push_back({Item(shownRows_, i), top, RowTopPixels(i + 1)});
    }
    std::vector<Span> fixedRows;
    for (int r = 0; r + 1 < static_cast<int>(fixedRowTops_.size()); ++r) {
        if (Item(fixedRowTops_, r + 1) > Item(fixedRowTops_, r))
            fixedRows.push_back({r, Item(fixedRowTops_, r), Item(fixedRowTops_, r + 1)});
    }
    std::vector<Span> cols;
    std::vector<Span> fixedCols;
    for (int c = 0; c < model_.Cols(); ++c) {
        const int left = ColLeftPixels(c);
        const int right = left + ColWidthPixels(c);
        if (right <= left || left >= client.right) continue;
        if (c < model_.FixedCols())
            fixedCols.push_back({c, left, right});
        else if (right > FixedWidth())
            cols.push_back({c, left, right});
    }
    const int fixedWidth = FixedWidth();
    const int fixedHeight = FixedHeight();
    const auto paintBlock = [&](const std::vector<Span>& rowSpans, const std::vector<Span>& colSpans, bool fixed) {
        for (const Span& row : rowSpans) {
            for (const Span& col : colSpans) {
                const RECT cell{col.start, row.start, col.end, row.end};
                PaintCell(dc, cell, row.index, col.index, fixed, gridLine.get());
            }
        }
    };
    {
        const ClipScope clip(dc, fixedWidth, fixedHeight, client.right, client.bottom);
        paintBlock(rows, cols, false);
        const RECT current = CellRect(model_.Row(), model_.Col());
        if (model_.Row() >= model_.FixedRows() && model_.Col() >= model_.FixedCols() && !IsRectEmpty(&current)) {
            RECT focus = current;
            InflateRect(&focus, -1, -1);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            DrawFocusRect(dc, &focus);
        }
    }
    {
        const ClipScope clip(dc, fixedWidth, 0, client.right, fixedHeight);
        paintBlock(fixedRows, cols, true);
    }
    {
        const ClipScope clip(dc, 0, fixedHeight, fixedWidth, client.bottom);
        paintBlock(rows, fixedCols, true);
    }
    paintBlock(fixedRows, fixedCols, true);
}

void GridView::PaintCell(HDC dc, const RECT& cell, int row, int col, bool fixed, HBRUSH gridLine) {
    COLORREF textColour = 0;
    CellAlignment alignment = CellAlignment::LeftCenter;
    RECT textArea = cell;
    if (fixed) {
        FillRect(dc, &cell, GetSysColorBrush(COLOR_BTNFACE));
        RECT edge = cell;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
        textColour = ToColorRef(model_.FixedForeColour(), COLOR_BTNTEXT, highContrast_);
        alignment = model_.FixedAlignment(col);
    } else {
        const auto [firstRow, lastRow] = std::minmax({model_.Row(), model_.RowSel()});
        const auto [firstCol, lastCol] = std::minmax({model_.Col(), model_.ColSel()});
        const bool inBlock = row >= firstRow && row <= lastRow && col >= firstCol && col <= lastCol;
        // The current cell keeps its own colours and carries the focus rectangle.
        const bool highlighted = inBlock && !(row == model_.Row() && col == model_.Col());
        FillRect(dc, &cell, GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        FillSolid(dc, cell.right - 1, cell.top, cell.right, cell.bottom, gridLine);
        FillSolid(dc, cell.left, cell.bottom - 1, cell.right, cell.bottom, gridLine);
        textColour = highlighted ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                 : ToColorRef(model_.CellForeColour(row, col), COLOR_WINDOWTEXT, highContrast_);
        alignment = model_.ColAlignment(col);
        textArea.right -= 1;
        textArea.bottom -= 1;
    }
    const std::wstring_view text = model_.Text(row, col);
    if (text.empty()) return;
    const int padding = MulDiv(kGridCellPaddingAt96Dpi, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
    InflateRect(&textArea, -padding, 0);
    if (textArea.right <= textArea.left) return;
    SetTextColor(dc, textColour);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                        (alignment == CellAlignment::CenterCenter ? DT_CENTER : DT_LEFT);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &textArea, format);
}

}  // namespace vorlen
