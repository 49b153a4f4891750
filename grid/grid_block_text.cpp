#include "grid/grid_block_text.h"

#include <algorithm>

#include "core/nuls_as_blanks.h"
#include "grid/grid_model.h"

namespace vorlen {

std::wstring GridBlockText(const GridModel& grid, wchar_t separator) {
    const int firstRow = std::min(grid.Row(), grid.RowSel());
    const int lastRow = std::max(grid.Row(), grid.RowSel());
    const int firstCol = std::min(grid.Col(), grid.ColSel());
    const int lastCol = std::max(grid.Col(), grid.ColSel());
    std::wstring text;
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int col = firstCol; col < lastCol; ++col) {
            text += grid.Text(row, col);
            text += separator;
        }
        text += grid.Text(row, lastCol);
        text += L"\r\n";
    }
    return NulsAsBlanks(text);
}

}  // namespace vorlen
