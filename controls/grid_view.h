#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/grid_accessible.h"
#include "controls/window_base.h"
#include "grid/grid_model.h"
#include "platform/win32/display_api.h"

namespace vorlen {

// A flex-grid-like control drawn over a GridModel. It never copies rows: it
// paints the cells in view straight from the model, so filling, filtering and
// sorting any number of rows costs no per-row window work. Fixed rows and
// columns are drawn as fixed cells; rows of height 0 are skipped in view but
// keep their positions. The user moves the current cell with the keyboard
// and the mouse, selects blocks by dragging or with Shift, and drags column
// borders in the heading row; all of it is written to the model, which calls
// the window's current-cell handler. Screen readers read it through its
// accessible object (controls/grid_accessible.h) and follow the current cell
// through WinEvents.
class GridView final : public WindowBase {
public:
    explicit GridView(GridModel& model);
    ~GridView() override;
    GridView(const GridView&) = delete;
    GridView& operator=(const GridView&) = delete;

    // Creates the control as a child of `parent` with the given id.
    HWND Create(HWND parent, int controlId, HINSTANCE instance);
    GridModel& Model() { return model_; }

    // Twips become pixels at this DPI (15 twips per pixel at 96 DPI).
    void SetDpi(UINT dpi);
    // Where the grid learns whether high contrast is on (the system's unless
    // set); it must outlive the grid.
    void SetDisplay(const DisplayApi& display);
    // The system's colours or high contrast changed: the grid asks its
    // display again and repaints. A child window hears of such changes only
    // from its top-level window.
    void OnSystemColoursChanged();

    // Raised on a double-click on a cell, and on any mouse button pressed
    // over the control (`button` 1 left, 2 right, 4 middle).
    std::function<void()> onDoubleClick;
    // What a screen reader calls the double-click on a data cell (its
    // default action), in the owner's language; empty: none.
    std::wstring defaultActionName;
    std::function<void(int button)> onMouseDown;
    // Raised when the context menu is asked for from the keyboard (Shift+F10,
    // the Menu key): `screen` is the point below the current cell, scrolled
    // into view, where the menu opens.
    std::function<void(POINT screen)> onKeyboardContextMenu;

    // The cell (row, col) drawn under a client point, fixed cells included;
    // nothing over the empty area beyond the last row or column.
    std::optional<std::pair<int, int>> CellAt(POINT client);
    // Where a cell is drawn, in client coordinates; it may lie outside the
    // client area when scrolled away, and is empty for a hidden row.
    RECT CellRect(int row, int col);
    // The first data row shown at the top of the scrolling area, -1 if none.
    int TopRow();

    // The data rows shown (not hidden), top to bottom: how many, the row at
    // an index, and the index of a row (-1 when it is hidden).
    int ShownRowCount();
    int ShownRow(int index);
    int ShownIndexOfRow(int row);
    // Whether a cell (a whole row for `col` -1) is at least partly in view,
    // neither scrolled away nor under the fixed cells.
    bool IsInView(int row, int col);
    bool HasFocus() const { return Hwnd() && GetFocus() == Hwnd(); }
    // What a double-click on a data cell does, once the message at hand is
    // handled; false when the grid takes no input.
    bool ActivateCell(int row, int col);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // What a held left button is doing.
    enum class Drag { None, SelectCells, SelectRows, ColumnWidth };

    // Model changes: mark, then lay out once from a posted message.
    void OnModelChanged(GridModel::Change change);
    void ScheduleRelayout();
    bool HasVisibleStyle() const;
    void OnRelayout();
    void EnsureLayout();
    void RebuildColumns();
    bool RebuildRowIndex();
    void ApplyVisibility();
    void Invalidate();
    // WinEvents for screen readers.
    void AnnounceChanges();

    // Geometry, in client pixels.
    int ToPixels(int twips) const;
    int FixedHeight() const;
    int FixedWidth() const;
    int DataAreaHeight() const;
    int DataAreaWidth() const;
    int ShownCount() const { return static_cast<int>(shownRows_.size()); }
    int ShownIndexOf(int row) const;  // first shown row at or after `row`
    int RowTopPixels(int shownIndex) const;
    int ColLeftPixels(int col) const;
    int ColWidthPixels(int col) const;
    int PageRows() const;
    int MaxTopIndex() const;
    int MaxScrollX() const;
    int ColumnBorderAt(POINT client) const;

    // Scrolling.
    void UpdateScrollBars();
    void ScrollTo(int topIndex, int scrollX);
    void EnsureVisible(int row, int col);
    void OnVScroll(WPARAM wParam);
    void OnHScroll(WPARAM wParam);
    void OnMouseWheel(WPARAM wParam);

    // Input.
    bool AcceptsInput() const;
    void OnKeyDown(WPARAM key);
    int StepShownRow(int row, int delta) const;
    void MoveTo(int row, int col, bool extend);
    void OnLeftButtonDown(POINT client, WPARAM keys, bool doubleClick);
    void OnMouseMove(POINT client);
    void ExtendDragTo(POINT client);
    void RaiseMouseDown(int button);
    void OpenContextMenuFromKeyboard();

    // Drawing.
    void Paint(HDC dc, const RECT& client);
    void PaintCell(HDC dc, const RECT& cell, int row, int col, bool fixed, HBRUSH gridLine);
    void PaintBuffered(HDC target, const RECT& client, const RECT& update);

    GridModel& model_;
    const DisplayApi* display_ = &DisplayApi::OfThisSystem();
    bool highContrast_ = false;  // as the display said when last asked
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;  // given by WM_SETFONT, owned by the sender

    // The index of shown data rows, rebuilt after a Layout or Cells change:
    // their model rows in order, and the pixel offset of each from the first
    // (one more entry holding the total height).
    std::vector<int> shownRows_;
    std::vector<int> shownTops_;
    std::vector<int> colLefts_;  // pixel left of each column, unscrolled, plus the total width
    std::vector<int> fixedRowTops_;
    bool layoutDirty_ = true;
    bool relayoutPosted_ = false;
    bool invalidated_ = false;  // the whole control awaits its paint
    bool hidePending_ = false;  // the model hid the grid; the window follows
    bool scrollToCurrentPending_ = false;
    bool updatingScrollBars_ = false;
    int knownRow_ = -1;
    int knownCol_ = -1;
    int knownRowSel_ = -1;
    int knownColSel_ = -1;

    GridAccessibility accessibility_{*this};
    // What screen readers are yet to hear, told once the handler at hand is
    // done: a filling handler moves the current cell once per row.
    bool currentCellMoved_ = false;
    bool blockChanged_ = false;
    bool focusTaken_ = false;
    bool cellsChanged_ = true;  // rows refilled or reordered since the last layout
    int activateRow_ = -1;      // the cell whose double-click action waits
    int activateCol_ = -1;

    int topIndex_ = 0;  // index into shownRows_ of the top data row in view
    int scrollX_ = 0;   // pixels the data columns are scrolled to the left
    int wheelRemainder_ = 0;

    Drag drag_ = Drag::None;
    int dragCol_ = 0;
    int dragStartX_ = 0;
    int dragStartTwips_ = 0;
};

}  // namespace vorlen
