#include "inventory/column_filter.h"

#include "core/nuls_as_blanks.h"
#include "grid/grid_model.h"

namespace vorlen {

int ApplyColumnFilter(GridModel& grid, int column, std::wstring_view text) {
    const int shownHeight = grid.RowHeight(0);
    // A bad column is met only after every row has been shown again, as in a
    // filter that first shows all rows and then hides row by row.
    if (column < 0 || column >= grid.Cols()) ShowAllRows(grid);
    // The boxes show a NUL as a blank, so the filter reads a cell so too;
    // that can change the outcome only for a text with a blank in it.
    const bool textHasBlank = text.find(L' ') != std::wstring_view::npos;
    return grid.SetDataRowHeightsWhere(column, shownHeight, [text, textHasBlank](std::wstring_view cell) {
        if (textHasBlank && cell.find(L'\0') != std::wstring_view::npos)
            return NulsAsBlanks(cell).find(text) != std::wstring::npos;
        return cell.find(text) != std::wstring_view::npos;
    });
}

void ShowAllRows(GridModel& grid) {
    const GridModel::ChangeBatch batch(grid);
    const int height = grid.RowHeight(0);
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row) grid.SetRowHeight(row, height);
}

std::wstring FilterCountText(int shown) { return std::to_wstring(shown) + L" 件のデータが見つかりました。"; }

}  // namespace vorlen
