#pragma once
#include <string>
#include <string_view>

namespace vorlen {

class GridModel;

// Shows every data row at the heading row's height, then hides (height 0)
// each data row whose cell in `column` does not contain `text` (exact,
// case-sensitive; an empty text is in every cell). Returns how many data rows
// are left shown. The view hears of it once, not once per row. A column
// outside the grid throws std::out_of_range once every row is shown again.
int ApplyColumnFilter(GridModel& grid, int column, std::wstring_view text);

// Shows every data row again at the heading row's height.
void ShowAllRows(GridModel& grid);

// The status text for a filter that leaves `shown` rows: " 件のデータが見つかりました。" after the number.
std::wstring FilterCountText(int shown);

}  // namespace vorlen
