#include "grid/grid_model.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace vorlen {

namespace {

constexpr int kDefaultColWidth = 960;

unsigned ChangeBit(GridModel::Change change) { return 1u << static_cast<unsigned>(change); }

}  // namespace

GridModel::ChangeBatch::ChangeBatch(GridModel& grid) : grid_(grid) { ++grid_.batchDepth_; }

GridModel::ChangeBatch::~ChangeBatch() {
    if (--grid_.batchDepth_ > 0) return;
    const unsigned pending = std::exchange(grid_.pendingChanges_, 0u);
    for (const Change change : {Change::Layout, Change::Cells, Change::CurrentCell, Change::Visibility}) {
        if ((pending & ChangeBit(change)) && grid_.changeListener_) grid_.changeListener_(change);
    }
}

GridModel::GridModel(int rows, int cols, int fixedRows, int fixedCols)
    : rows_(std::max(rows, std::max(fixedRows, 0))),
      cols_(std::max(cols, std::max(fixedCols, 0))),
      fixedRows_(std::max(fixedRows, 0)),
      fixedCols_(std::max(fixedCols, 0)),
      cells_(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_)),
      cellColours_(cells_.size(), kColourUnset),
      colWidths_(static_cast<std::size_t>(cols_), kDefaultColWidth),
      colAlignment_(static_cast<std::size_t>(cols_), CellAlignment::LeftCenter),
      fixedAlignment_(static_cast<std::size_t>(cols_), CellAlignment::LeftCenter) {
    // Set here, not in the initialiser list: the default height is declared
    // after the heights and would be read before it is initialised.
    rowHeights_.assign(static_cast<std::size_t>(rows_), defaultRowHeight_);
    rowData_.assign(static_cast<std::size_t>(rows_), 0);
    // A new grid's current cell is its first non-fixed cell, where there is one.
    row_ = rowSel_ = std::min(fixedRows_, std::max(rows_ - 1, 0));
    col_ = colSel_ = std::min(fixedCols_, std::max(cols_ - 1, 0));
}

void GridModel::CheckRow(int row) const {
    if (row < 0 || row >= rows_) throw std::out_of_range("grid row out of range");
}

void GridModel::CheckCol(int col) const {
    if (col < 0 || col >= cols_) throw std::out_of_range("grid column out of range");
}

void GridModel::CheckHeight(int twips) {
    if (twips < 0) throw std::out_of_range("negative row height");
}

std::size_t GridModel::Index(int row, int col) const {
    CheckRow(row);
    CheckCol(col);
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
}

void GridModel::Notify(Change change) {
    if (batchDepth_ > 0)
        pendingChanges_ |= ChangeBit(change);
    else if (changeListener_)
        changeListener_(change);
}

void GridModel::SetRows(int rows) {
    rows = std::max(rows, fixedRows_);
    if (rows == rows_) return;
    const auto cellCount = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols_);
    cells_.resize(cellCount);
    cellColours_.resize(cellCount, kColourUnset);
    rowHeights_.resize(static_cast<std::size_t>(rows), defaultRowHeight_);
    rowData_.resize(static_cast<std::size_t>(rows), 0);
    rows_ = rows;
    Notify(Change::Layout);
    ClampCurrentCell();
}

// Columns are the inner dimension of the storage, so a new count rebuilds
// each row around the cells that stay.
void GridModel::SetCols(int cols) {
    cols = std::max(cols, fixedCols_);
    if (cols == cols_) return;
    const auto newCols = static_cast<std::size_t>(cols);
    const auto oldCols = static_cast<std::size_t>(cols_);
    const std::size_t kept = std::min(newCols, oldCols);
    std::vector<SharedText> cells(static_cast<std::size_t>(rows_) * newCols);
    std::vector<Colour> colours(cells.size(), kColourUnset);
    for (std::size_t r = 0; r < static_cast<std::size_t>(rows_); ++r) {
        for (std::size_t c = 0; c < kept; ++c) {
            cells[r * newCols + c] = std::move(cells_[r * oldCols + c]);
            colours[r * newCols + c] = cellColours_[r * oldCols + c];
        }
    }
    cells_ = std::move(cells);
    cellColours_ = std::move(colours);
    colWidths_.resize(newCols, kDefaultColWidth);
    colAlignment_.resize(newCols, CellAlignment::LeftCenter);
    fixedAlignment_.resize(newCols, CellAlignment::LeftCenter);
    cols_ = cols;
    Notify(Change::Layout);
    ClampCurrentCell();
}

void GridModel::ClampCurrentCell() {
    const int oldRow = row_;
    const int oldCol = col_;
    const int lastRow = std::max(rows_ - 1, 0);
    const int lastCol = std::max(cols_ - 1, 0);
    row_ = std::min(row_, lastRow);
    col_ = std::min(col_, lastCol);
    const bool selectionMoved = rowSel_ > lastRow || colSel_ > lastCol;
    rowSel_ = std::min(rowSel_, lastRow);
    colSel_ = std::min(colSel_, lastCol);
    if (row_ != oldRow || col_ != oldCol)
        CurrentCellMoved(oldRow, oldCol);
    else if (selectionMoved)
        Notify(Change::CurrentCell);
}

std::wstring_view GridModel::Text(int row, int col) const { return cells_[Index(row, col)].View(); }

const SharedText& GridModel::SharedTextAt(int row, int col) const { return cells_[Index(row, col)]; }

void GridModel::SetText(int row, int col, SharedText text) {
    cells_[Index(row, col)] = std::move(text);
    Notify(Change::Cells);
}

void GridModel::SetDefaultRowHeight(int twips) {
    CheckHeight(twips);
    defaultRowHeight_ = twips;
}

int GridModel::RowHeight(int row) const {
    CheckRow(row);
    return rowHeights_[static_cast<std::size_t>(row)];
}

void GridModel::SetRowHeight(int row, int twips) {
    CheckRow(row);
    CheckHeight(twips);
    int& height = rowHeights_[static_cast<std::size_t>(row)];
    if (height == twips) return;
    height = twips;
    Notify(Change::Layout);
}

std::uint32_t GridModel::RowData(int row) const {
    CheckRow(row);
    return rowData_[static_cast<std::size_t>(row)];
}

void GridModel::SetRowData(int row, std::uint32_t data) {
    CheckRow(row);
    rowData_[static_cast<std::size_t>(row)] = data;
}

int GridModel::ColWidth(int col) const {
    CheckCol(col);
    return colWidths_[static_cast<std::size_t>(col)];
}

void GridModel::SetColWidth(int col, int twips) {
    CheckCol(col);
    if (twips < 0) throw std::out_of_range("negative column width");
    colWidths_[static_cast<std::size_t>(col)] = twips;
    Notify(Change::Layout);
}

CellAlignment GridModel::ColAlignment(int col) const {
    CheckCol(col);
    return colAlignment_[static_cast<std::size_t>(col)];
}

void GridModel::SetColAlignment(int col, CellAlignment alignment) {
    CheckCol(col);
    colAlignment_[static_cast<std::size_t>(col)] = alignment;
    Notify(Change::Cells);
}

CellAlignment GridModel::FixedAlignment(int col) const {
    CheckCol(col);
    return fixedAlignment_[static_cast<std::size_t>(col)];
}

void GridModel::SetFixedAlignment(int col, CellAlignment alignment) {
    CheckCol(col);
    fixedAlignment_[static_cast<std::size_t>(col)] = alignment;
    Notify(Change::Cells);
}

Colour GridModel::CellForeColour(int row, int col) const { return cellColours_[Index(row, col)]; }

void GridModel::SetCellForeColour(int row, int col, Colour colour) {
    cellColours_[Index(row, col)] = colour;
    Notify(Change::Cells);
}

void GridModel::SetFixedForeColour(Colour colour) {
    if (fixedForeColour_ == colour) return;
    fixedForeColour_ = colour;
    Notify(Change::Cells);
}

void GridModel::SetRow(int row) { SetCurrentCell(row, col_); }

void GridModel::SetCol(int col) { SetCurrentCell(row_, col); }

// Setting the current cell also collapses the block selection onto it, even
// when the cell itself stays; only a real move runs the handler.
void GridModel::SetCurrentCell(int row, int col) {
    CheckRow(row);
    CheckCol(col);
    const int oldRow = row_;
    const int oldCol = col_;
    const bool selectionCollapsed = rowSel_ != row || colSel_ != col;
    row_ = rowSel_ = row;
    col_ = colSel_ = col;
    if (row != oldRow || col != oldCol)
        CurrentCellMoved(oldRow, oldCol);
    else if (selectionCollapsed)
        Notify(Change::CurrentCell);
}

void GridModel::SetSelectionEnd(int rowSel, int colSel) {
    CheckRow(rowSel);
    CheckCol(colSel);
    if (rowSel == rowSel_ && colSel == colSel_) return;
    rowSel_ = rowSel;
    colSel_ = colSel;
    Notify(Change::CurrentCell);
}

// The handler runs after the model is consistent, so it may read the new
// current cell or even move it again.
void GridModel::CurrentCellMoved(int oldRow, int oldCol) {
    if (row_ == oldRow && col_ == oldCol) return;
    Notify(Change::CurrentCell);
    if (currentCellChangedHandler_) currentCellChangedHandler_();
}

void GridModel::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Notify(Change::Visibility);
}

void GridModel::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Notify(Change::Visibility);
}

void GridModel::SetChangeListener(std::function<void(Change)> listener) { changeListener_ = std::move(listener); }

void GridModel::SetCurrentCellChangedHandler(std::function<void()> handler) {
    currentCellChangedHandler_ = std::move(handler);
}

}  // namespace vorlen
