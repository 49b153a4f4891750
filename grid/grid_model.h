#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/shared_text.h"
#include "grid/text_collator.h"

namespace vorlen {

// A colour as 0x00BBGGRR, or a system colour as 0x800000nn (nn the index).
using Colour = std::uint32_t;
inline constexpr Colour kColourBlue = 0x00FF0000;
inline constexpr Colour kSystemWindowText = 0x80000008;
inline constexpr Colour kSystemButtonText = 0x80000012;
inline constexpr Colour kColourUnset = 0xFFFFFFFF;  // the grid's default for that cell

enum class CellAlignment { LeftCenter, CenterCenter };

enum class SortDirection { Ascending, Descending };

// The cells and the state of one grid: a table of
// texts with fixed heading rows and columns, row heights that belong to
// positions (0 hides a row, which still counts as a position), column widths,
// alignment, text colours, a current cell and the far corner of a block
// selection. Sizes are in twips. It owns no window: a view draws it and
// listens for changes.
class GridModel {
public:
    // Which parts a change touched, so that a view redraws only what it must.
    enum class Change { Layout, Cells, CurrentCell, Visibility };

    // Holds back change notifications while it lives and then reports each
    // kind of change once, so that filling or filtering thousands of rows
    // costs the view one redraw. Batches nest; the outermost one reports.
    // The current-cell handler is never held back.
    class ChangeBatch {
    public:
        explicit ChangeBatch(GridModel& grid);
        ~ChangeBatch();
        ChangeBatch(const ChangeBatch&) = delete;
        ChangeBatch& operator=(const ChangeBatch&) = delete;

    private:
        GridModel& grid_;
    };

    GridModel(int rows, int cols, int fixedRows = 1, int fixedCols = 1);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }

    // Grows or cuts the table. Positions that stay keep their cells, heights
    // and colours; new positions are empty with the default row height. The
    // current cell and the selection are pulled inside the new bounds; when
    // that moves the current cell, the current-cell handler runs as for any
    // change of it. The table never gets fewer rows (columns) than its fixed
    // ones.
    //
    // Every accessor taking a row or column throws std::out_of_range for a
    // position outside the table, like the grid's run-time error for an
    // invalid row or column value.
    void SetRows(int rows);
    void SetCols(int cols);

    // A cell's text is a SharedText: a cell written from another holder's
    // text refers to the same storage rather than copying it. The view lives
    // as long as the cell keeps that text.
    std::wstring_view Text(int row, int col) const;
    const SharedText& SharedTextAt(int row, int col) const;
    void SetText(int row, int col, SharedText text);

    // The height every row gets when it is made (240 unless set otherwise);
    // rows that exist keep theirs. Negative heights are refused
    // (std::out_of_range).
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int twips);
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);
    bool IsRowHidden(int row) const { return RowHeight(row) == 0; }

    // Gives every data row, in one pass, `shownHeight` when `keep` is true
    // of its cell in `col` and 0 otherwise; the view hears one change.
    // Returns how many rows were kept. With no data rows nothing is checked.
    template <typename Keep>
    int SetDataRowHeightsWhere(int col, int shownHeight, Keep keep);

    // A number the owner keeps with each row, as a flex grid's RowData does:
    // 0 for a new row; a sort moves it with its row. It changes nothing shown.
    std::uint32_t RowData(int row) const;
    void SetRowData(int row, std::uint32_t data);

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);

    CellAlignment ColAlignment(int col) const;  // data cells
    void SetColAlignment(int col, CellAlignment alignment);
    CellAlignment FixedAlignment(int col) const;  // heading row and fixed columns
    void SetFixedAlignment(int col, CellAlignment alignment);

    Colour CellForeColour(int row, int col) const;  // kColourUnset when not set
    void SetCellForeColour(int row, int col, Colour colour);
    Colour FixedForeColour() const { return fixedForeColour_; }
    void SetFixedForeColour(Colour colour);

    // The current cell (Row, Col) and the opposite corner of the selected
    // block (RowSel, ColSel). Setting the current cell collapses the block
    // onto it; every change of the current cell, by code or by the user,
    // calls the current-cell handler once.
    int Row() const { return row_; }
    int Col() const { return col_; }
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    void SetRow(int row);
    void SetCol(int col);
    void SetCurrentCell(int row, int col);
    // Moves the far corner only; the current cell and the handler stay.
    void SetSelectionEnd(int rowSel, int colSel);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    // Sorts the data rows (FixedRows()..Rows()-1) by the text of `col`: two
    // numbers compare as numbers, numbers come before other texts, other
    // texts compare by `collator`. Descending reverses the comparison, so
    // rows with equal keys keep their order in both directions; each row
    // moves whole, with its cells, height, colours and row data. The current cell
    // stays at its position.
    void Sort(int col, SortDirection direction, const TextCollator& collator);

    // Observers: the view's redraw hook and the window's current-cell handler.
    void SetChangeListener(std::function<void(Change)> listener);
    void SetCurrentCellChangedHandler(std::function<void()> handler);

private:
    std::size_t Index(int row, int col) const;
    void CheckRow(int row) const;
    void CheckCol(int col) const;
    static void CheckHeight(int twips);
    void Notify(Change change);
    void CurrentCellMoved(int oldRow, int oldCol);
    void ClampCurrentCell();

    int rows_;
    int cols_;
    int fixedRows_;
    int fixedCols_;
    std::vector<SharedText> cells_;    // row-major, rows_ * cols_
    std::vector<Colour> cellColours_;  // parallel to cells_
    std::vector<int> rowHeights_;
    std::vector<std::uint32_t> rowData_;  // parallel to rowHeights_
    std::vector<int> colWidths_;
    std::vector<CellAlignment> colAlignment_;
    std::vector<CellAlignment> fixedAlignment_;
    int defaultRowHeight_ = 240;
    Colour fixedForeColour_ = kSystemButtonText;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    int colSel_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::function<void(Change)> changeListener_;
    std::function<void()> currentCellChangedHandler_;
    int batchDepth_ = 0;
    unsigned pendingChanges_ = 0;  // one bit per Change held back by a batch
};

template <typename Keep>
int GridModel::SetDataRowHeightsWhere(int col, int shownHeight, Keep keep) {
    if (rows_ <= fixedRows_) return 0;
    CheckCol(col);
    CheckHeight(shownHeight);
    // Straight over the storage: filtering tens of thousands of rows should
    // cost little more than searching their texts.
    const auto stride = static_cast<std::size_t>(cols_);
    std::size_t cell = static_cast<std::size_t>(fixedRows_) * stride + static_cast<std::size_t>(col);
    int kept = 0;
    bool changed = false;
    for (auto row = static_cast<std::size_t>(fixedRows_); row < rowHeights_.size(); ++row, cell += stride) {
        const bool keepRow = keep(cells_[cell].View());
        kept += keepRow ? 1 : 0;
        const int height = keepRow ? shownHeight : 0;
        changed = changed || rowHeights_[row] != height;
        rowHeights_[row] = height;
    }
    if (changed) Notify(Change::Layout);
    return kept;
}

// The number a sort key holds, if the whole text (spaces and tabs around it
// allowed) is a decimal number with optional sign, fraction and exponent,
// such as "12", "-3.5", ".5", "1e3". A number too large for a double is an
// infinity of its sign; hexadecimal and grouped forms are texts.
std::optional<double> ParseSortNumber(std::wstring_view text);

}  // namespace vorlen
