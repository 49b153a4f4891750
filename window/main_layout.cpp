#include "window/main_layout.h"

#include <algorithm>
#include <cmath>

namespace vorlen {

int RoundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));  // the default rounding mode rounds halves to even
}

std::array<int, 4> FirstListColumnWidths(int gridWidth, int widestPlaceTextPixels, unsigned dpi) {
    if (dpi == 0) dpi = 96;
    const int padding = ScaleRounded(kGridCellPaddingAt96Dpi, static_cast<int>(dpi), 96);
    const std::int64_t pixels = widestPlaceTextPixels + 2 * padding + 1;
    // Rounded up, so that the view's conversion back to pixels never cuts it.
    const auto place = static_cast<int>((pixels * kTwipsPerInch + dpi - 1) / dpi);
    const int spare = std::max(RoundHalfEven(gridWidth - kFixedColumnWidth - 400) - place, 0);
    return {RoundHalfEven(spare * 0.2), RoundHalfEven(spare * 0.3), RoundHalfEven(spare * 0.5), place};
}

MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int statusBarHeight, TwipsRect currentGrid) {
    MainLayout layout;
    layout.grid.left = kGridLeft;
    layout.grid.top = kGridTop;
    const int width = clientWidth - kGridLeft - 60;
    const int height = clientHeight - kGridTop - 30 - statusBarHeight;
    layout.gridHasWidth = width >= 0;
    layout.gridHasHeight = height >= 0;
    layout.grid.width = layout.gridHasWidth ? width : currentGrid.width;
    layout.grid.height = layout.gridHasHeight ? height : currentGrid.height;

    const int spare = RoundHalfEven(layout.grid.width - kFixedColumnWidth - 400);
    layout.detailColumns[0] = RoundHalfEven(spare * 0.2);
    layout.detailColumns[1] = RoundHalfEven(spare * 0.2);
    layout.detailColumns[2] = RoundHalfEven(spare * 0.6);

    layout.frameWidth = layout.grid.width;
    layout.buttonLeft = layout.frameWidth - kButtonWidth - 120;
    layout.filterLeft = layout.buttonLeft - kFilterWidth - 60;
    layout.infoBoxWidth = layout.filterLeft - kInfoBoxLeft - 60;
    layout.infoBoxHasWidth = layout.infoBoxWidth >= 0;
    return layout;
}

}  // namespace vorlen
