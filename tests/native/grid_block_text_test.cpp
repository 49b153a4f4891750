#include <gtest/gtest.h>

#include "grid/grid_block_text.h"
#include "grid/grid_model.h"

using vorlen::GridBlockText;
using vorlen::GridModel;

namespace {

GridModel Numbered(int rows, int cols) {
    GridModel grid(rows, cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) grid.SetText(r, c, std::to_wstring(r) + L"," + std::to_wstring(c));
    return grid;
}

}  // namespace

TEST(GridBlockText, BlockIsTheSameWhicheverCornerItWasDraggedFrom) {
    GridModel grid = Numbered(5, 4);
    grid.SetCurrentCell(1, 1);
    grid.SetSelectionEnd(2, 3);
    const std::wstring forward = GridBlockText(grid, L'\t');
    EXPECT_EQ(forward, L"1,1\t1,2\t1,3\r\n2,1\t2,2\t2,3\r\n");
    grid.SetCurrentCell(2, 3);
    grid.SetSelectionEnd(1, 1);
    EXPECT_EQ(GridBlockText(grid, L'\t'), forward);
    EXPECT_EQ(GridBlockText(grid, L','), L"1,1,1,2,1,3\r\n2,1,2,2,2,3\r\n");
}

TEST(GridBlockText, SingleCellHiddenRowsAndUnescapedTexts) {
    GridModel grid = Numbered(5, 4);
    grid.SetCurrentCell(3, 2);
    EXPECT_EQ(GridBlockText(grid, L'\t'), L"3,2\r\n");

    grid.SetRowHeight(2, 0);
    grid.SetText(3, 1, L"tab\there\r\nline");
    grid.SetCurrentCell(1, 1);
    grid.SetSelectionEnd(3, 1);
    EXPECT_EQ(GridBlockText(grid, L'\t'), L"1,1\r\n2,1\r\ntab\there\r\nline\r\n");
}

TEST(GridBlockText, EachNulBecomesABlankSoNothingAfterItIsLost) {
    using namespace std::string_literals;
    GridModel grid = Numbered(4, 3);
    grid.SetText(1, 1, L"Foo\0Hidden\0"s);
    grid.SetCurrentCell(1, 1);
    grid.SetSelectionEnd(3, 2);
    EXPECT_EQ(GridBlockText(grid, L'\t'), L"Foo Hidden \t1,2\r\n2,1\t2,2\r\n3,1\t3,2\r\n");
}
