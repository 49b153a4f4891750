#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "grid/grid_model.h"
#include "inventory/column_filter.h"

namespace vorlen {
namespace {

GridModel ListGrid(const std::vector<std::wstring>& programNames) {
    GridModel grid(static_cast<int>(programNames.size()) + 1, 4);
    grid.SetRowHeight(0, 255);
    for (int row = 1; row < grid.Rows(); ++row) {
        grid.SetText(row, 1, L"KEY" + std::to_wstring(row));
        grid.SetText(row, 2, programNames[static_cast<std::size_t>(row - 1)]);
    }
    return grid;
}

std::vector<int> Heights(const GridModel& grid) {
    std::vector<int> heights;
    for (int row = 1; row < grid.Rows(); ++row) heights.push_back(grid.RowHeight(row));
    return heights;
}

TEST(ColumnFilter, HidesRowsLackingTheExactTextAndCountsTheRest) {
    GridModel grid = ListGrid({L"Adobe Reader", L"7-Zip", L"Reader Extension", L"reader (lower)"});
    int notifications = 0;
    grid.SetChangeListener([&](GridModel::Change) { ++notifications; });
    EXPECT_EQ(ApplyColumnFilter(grid, 2, L"Reader"), 2);
    EXPECT_EQ(Heights(grid), (std::vector<int>{255, 0, 255, 0}));
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(ApplyColumnFilter(grid, 2, L"nowhere"), 0);
    EXPECT_EQ(Heights(grid), (std::vector<int>{0, 0, 0, 0}));
}

TEST(ColumnFilter, ANulInACellMatchesTheBlankTheBoxShowsForIt) {
    GridModel grid = ListGrid({std::wstring(L"Before\0After", 12), L"Before After"});
    EXPECT_EQ(ApplyColumnFilter(grid, 2, L"e A"), 2);
    EXPECT_EQ(ApplyColumnFilter(grid, 2, L"After"), 2) << "nothing after the NUL is lost";
}

TEST(ColumnFilter, EveryApplicationStartsFromAllRowsShown) {
    GridModel grid = ListGrid({L"alpha", L"", L"gamma"});
    grid.SetRowHeight(2, 0);
    EXPECT_EQ(ApplyColumnFilter(grid, 2, L""), 3);  // an empty text is in every cell
    EXPECT_EQ(Heights(grid), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(ApplyColumnFilter(grid, 1, L"KEY2"), 1);
    ShowAllRows(grid);
    EXPECT_EQ(Heights(grid), (std::vector<int>{255, 255, 255}));
    grid.SetRowHeight(1, 0);
    EXPECT_THROW(ApplyColumnFilter(grid, 4, L"a"), std::out_of_range);
    EXPECT_EQ(Heights(grid), (std::vector<int>{255, 255, 255}));
}

TEST(ColumnFilter, HeadingOnlyGridCountsZero) {
    GridModel grid(1, 4);
    EXPECT_EQ(ApplyColumnFilter(grid, 2, L""), 0);
    EXPECT_EQ(FilterCountText(0), L"0 件のデータが見つかりました。");
    EXPECT_EQ(FilterCountText(12345), L"12345 件のデータが見つかりました。");
}

}  // namespace
}  // namespace vorlen
