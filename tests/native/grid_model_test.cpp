#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "grid/grid_model.h"

namespace vorlen {
namespace {

using Moves = std::vector<std::pair<int, int>>;

// A list grid as the main window makes it: a heading row and a number column.
GridModel ListGrid(int dataRows) {
    GridModel grid(dataRows + 1, 4);
    for (int row = 1; row <= dataRows; ++row) grid.SetText(row, 1, L"key" + std::to_wstring(row));
    return grid;
}

TEST(GridModel, NewGridStartsOnItsFirstDataCellAndRefusesPositionsOutside) {
    GridModel grid(2, 4);
    EXPECT_EQ((Moves{{grid.Row(), grid.Col()}, {grid.RowSel(), grid.ColSel()}}), (Moves{{1, 1}, {1, 1}}));
    EXPECT_EQ(grid.RowHeight(1), grid.DefaultRowHeight());
    EXPECT_EQ(grid.CellForeColour(1, 3), kColourUnset);
    EXPECT_THROW(grid.Text(2, 0), std::out_of_range);
    EXPECT_THROW(grid.SetText(0, 4, L"x"), std::out_of_range);
    EXPECT_THROW(grid.SetRow(-1), std::out_of_range);
    EXPECT_THROW(grid.SetRowHeight(1, -1), std::out_of_range);
}

TEST(GridModel, SetRowsAndSetColsKeepWhatBelongsToSurvivingPositions) {
    GridModel grid = ListGrid(5);
    grid.SetRowHeight(2, 0);
    grid.SetCellForeColour(3, 3, kColourBlue);
    grid.SetRows(4);
    grid.SetDefaultRowHeight(300);
    grid.SetRows(7);
    EXPECT_EQ(grid.Text(3, 1), L"key3");
    EXPECT_EQ(grid.Text(5, 1), L"");  // the cut row left nothing behind
    EXPECT_EQ((std::vector<int>{grid.RowHeight(1), grid.RowHeight(2), grid.RowHeight(4)}),
              (std::vector<int>{240, 0, 300}));
    EXPECT_EQ(grid.CellForeColour(3, 3), kColourBlue);
    EXPECT_EQ(grid.CellForeColour(6, 3), kColourUnset);

    grid.SetColWidth(1, 1234);
    grid.SetCols(2);
    grid.SetCols(4);
    EXPECT_EQ(grid.Text(3, 1), L"key3");
    EXPECT_EQ(grid.CellForeColour(3, 3), kColourUnset);
    EXPECT_EQ(grid.ColWidth(1), 1234);
    grid.SetRows(0);
    EXPECT_EQ(grid.Rows(), 1);  // the heading row stays
}

class CurrentCellTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid.SetCurrentCellChangedHandler([this] { moves.push_back({grid.Row(), grid.Col()}); });
    }

    GridModel grid = ListGrid(5);
    Moves moves;
};

TEST_F(CurrentCellTest, HandlerRunsOncePerActualMove) {
    grid.SetRow(3);
    grid.SetRow(3);
    grid.SetCol(2);
    grid.SetCurrentCell(4, 3);
    grid.SetCurrentCell(4, 3);
    grid.SetSelectionEnd(1, 1);
    EXPECT_EQ(moves, (Moves{{3, 1}, {3, 2}, {4, 3}}));
}

TEST_F(CurrentCellTest, SettingTheCurrentCellCollapsesTheBlockEvenWithoutAMove) {
    grid.SetCurrentCell(2, 1);
    grid.SetSelectionEnd(4, 3);
    EXPECT_EQ((Moves{{grid.Row(), grid.Col()}, {grid.RowSel(), grid.ColSel()}}), (Moves{{2, 1}, {4, 3}}));
    grid.SetRow(2);
    EXPECT_EQ((Moves{{grid.RowSel(), grid.ColSel()}}), (Moves{{2, 1}}));
    EXPECT_EQ(moves.size(), 1u);
}

TEST_F(CurrentCellTest, CuttingRowsPullsCurrentCellAndBlockInside) {
    grid.SetCurrentCell(5, 2);
    grid.SetSelectionEnd(4, 3);
    moves.clear();
    grid.SetRows(3);
    EXPECT_EQ((Moves{{grid.Row(), grid.Col()}, {grid.RowSel(), grid.ColSel()}}), (Moves{{2, 2}, {2, 3}}));
    grid.SetRows(10);
    EXPECT_EQ(moves, (Moves{{2, 2}}));
}

TEST_F(CurrentCellTest, HandlerMayMoveTheCellAgain) {
    grid.SetCurrentCellChangedHandler([this] {
        moves.push_back({grid.Row(), grid.Col()});
        if (grid.Row() == 1) grid.SetRow(2);
    });
    grid.SetRow(3);
    grid.SetRow(1);
    EXPECT_EQ(moves, (Moves{{3, 1}, {1, 1}, {2, 1}}));
}

TEST(GridModel, ListenerHearsChangesAndABatchReportsEachKindOnce) {
    GridModel grid = ListGrid(3);
    std::vector<GridModel::Change> changes;
    grid.SetChangeListener([&](GridModel::Change change) { changes.push_back(change); });
    grid.SetText(1, 1, L"x");
    grid.SetVisible(false);
    grid.SetVisible(false);
    EXPECT_EQ(changes, (std::vector{GridModel::Change::Cells, GridModel::Change::Visibility}));
    changes.clear();
    {
        GridModel::ChangeBatch outer(grid);
        {
            GridModel::ChangeBatch inner(grid);
            grid.SetRowHeight(1, 0);
            grid.SetRowHeight(2, 0);
        }
        grid.SetText(2, 1, L"z");
        EXPECT_TRUE(changes.empty());
    }
    EXPECT_EQ(changes, (std::vector{GridModel::Change::Layout, GridModel::Change::Cells}));
}

}  // namespace
}  // namespace vorlen
