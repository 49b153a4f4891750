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
    const auto list = vorlen::FirstListColumnWidths(layout.grid.width, 84, 96);
    const int spare = layout.grid.width - 450 - 400 - list[3];
    EXPECT_EQ(list[0], RoundHalfEven(spare * 0.2));
    EXPECT_EQ(list[2], RoundHalfEven(spare * 0.5));
    EXPECT_NEAR(list[0] + list[1] + list[2], spare, 2);
    EXPECT_EQ(layout.detailColumns[2], RoundHalfEven((layout.grid.width - 450 - 400) * 0.6));
}

// The place column's texts are measured by the window in the grid's font;
// fonts grow with the DPI, and so do the padding and the twips per pixel.
TEST(MainLayout, PlaceColumnFitsItsWidestTextAtEveryDpiAndTheRestSharesTheRemainder) {
    struct Case {
        unsigned dpi;
        int textPixels;
    };
    for (const Case c : {Case{96, 84}, Case{144, 126}}) {
        const auto widths = vorlen::FirstListColumnWidths(9300, c.textPixels, c.dpi);
        const int padding = c.dpi == 96 ? 2 : 3;
        const int shownPixels = vorlen::TwipsToPixels(widths[3], c.dpi);
        EXPECT_GE(shownPixels, c.textPixels + 2 * padding + 1) << c.dpi;
        EXPECT_LE(shownPixels, c.textPixels + 2 * padding + 2) << c.dpi << ": no wider than it needs";
        const int spare = 9300 - 450 - 400 - widths[3];
        EXPECT_EQ(widths[0], RoundHalfEven(spare * 0.2)) << c.dpi;
        EXPECT_EQ(widths[1], RoundHalfEven(spare * 0.3)) << c.dpi;
        EXPECT_EQ(widths[2], RoundHalfEven(spare * 0.5)) << c.dpi;
    }
    EXPECT_EQ(vorlen::FirstListColumnWidths(9300, 84, 96)[3], 1335);
    EXPECT_EQ(vorlen::FirstListColumnWidths(9300, 126, 144)[3], 1330);
    const auto narrow = vorlen::FirstListColumnWidths(1000, 84, 96);
    EXPECT_EQ(narrow[3], 1335) << "the place keeps its width";
    EXPECT_EQ(narrow[0] + narrow[1] + narrow[2], 0);
}
