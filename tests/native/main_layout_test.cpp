#include <gtest/gtest.h>

#include "window/main_layout.h"

using vorlen::ComputeMainLayout;
using vorlen::RoundHalfEven;
using vorlen::TwipsRect;

TEST(MainLayout, DesignSizeGivesTheWorkedExample) {
    const auto layout = ComputeMainLayout(9420, 4950, 375, TwipsRect{});
    EXPECT_EQ(layout.grid.left, 60);
    EXPECT_EQ(layout.grid.top, 1620);
    EXPECT_EQ(layout.grid.width, 9300);
    EXPECT_EQ(layout.grid.height, 2925);
    EXPECT_EQ(layout.listColumns[0], 1690);
    EXPECT_EQ(layout.listColumns[1], 2535);
    EXPECT_EQ(layout.listColumns[2], 4225);
    EXPECT_EQ(layout.detailColumns[0], 1690);
    EXPECT_EQ(layout.detailColumns[1], 1690);
    EXPECT_EQ(layout.detailColumns[2], 5070);
    EXPECT_EQ(layout.frameWidth, 9300);
    EXPECT_EQ(layout.buttonLeft, 8385);
    EXPECT_EQ(layout.filterLeft, 7890);
    EXPECT_EQ(layout.infoBoxWidth, 5610);
}

TEST(MainLayout, TooSmallSizesAreRefusedAndTheCurrentOnesUsed) {
    const TwipsRect current{60, 1620, 4000, 900};
    const auto narrow = ComputeMainLayout(3800, 4950, 375, current);
    EXPECT_TRUE(narrow.gridHasWidth);
    EXPECT_FALSE(narrow.infoBoxHasWidth) << "text boxes keep their width below 3810 twips";
    EXPECT_LT(narrow.filterLeft, 2220 + 60);

    const auto low = ComputeMainLayout(9420, 2000, 375, current);
    EXPECT_FALSE(low.gridHasHeight);
    EXPECT_EQ(low.grid.height, 900);

    const auto tiny = ComputeMainLayout(50, 50, 375, current);
    EXPECT_FALSE(tiny.gridHasWidth);
    EXPECT_EQ(tiny.grid.width, 4000);
    EXPECT_EQ(tiny.frameWidth, 4000);
}

TEST(MainLayout, RoundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(1690.4), 1690);
}

TEST(MainLayout, VeryWideFirstLayoutStillSharesTheColumnsInProportion) {
    const auto layout = ComputeMainLayout(38400, 15000, 375, TwipsRect{});
    const int spare = layout.grid.width - 450 - 400;
    EXPECT_EQ(layout.listColumns[0], RoundHalfEven(spare * 0.2));
    EXPECT_EQ(layout.listColumns[2], RoundHalfEven(spare * 0.5));
    EXPECT_NEAR(layout.listColumns[0] + layout.listColumns[1] + layout.listColumns[2], spare, 2);
}
