#pragma once
#include <array>

#include "core/twips.h"
#include "grid/grid_cell_padding.h"

namespace vorlen {

// Rounds to the nearest integer with halves to the even neighbour, as the
// layout's proportional column widths are rounded.
int RoundHalfEven(double value);

// Where the main window's resizable controls go for a client area, and the
// first proportional column widths. Every size is in twips. A width or
// height that comes out negative is refused: its control keeps its previous
// size, which the `…Has…` flags say.
struct MainLayout {
    TwipsRect grid;  // list and detail grid alike
    bool gridHasWidth = true;
    bool gridHasHeight = true;
    int frameWidth = 0;
    int buttonLeft = 0;    // the detail and run buttons, in the frame
    int filterLeft = 0;    // the three filter toggles, in the frame
    int infoBoxWidth = 0;  // the three info boxes
    bool infoBoxHasWidth = true;
    int detailColumns[3] = {};  // columns 1 to 3 of the detail grid on the first layout
};

// Fixed positions of the layout, in twips.
inline constexpr int kGridLeft = 60;
inline constexpr int kGridTop = 1620;
inline constexpr int kFixedColumnWidth = 450;
inline constexpr int kInfoBoxLeft = 2220;  // inside the frame
inline constexpr int kButtonWidth = 795;
inline constexpr int kFilterWidth = 435;

// Widths of the list grid's columns 1 to 4 on the first layout, in twips, for
// a grid `gridWidth` twips wide: the place column (4) exactly as wide as its
// widest text needs at `dpi` (`widestPlaceTextPixels`: the widest of its
// heading and place texts in the grid's font at that DPI; padding and grid
// line are added here), and what remains of the width the first layout
// shares out (the grid less the number column and 400) shared by the same
// proportions as before, 0.2, 0.3 and 0.5. A grid too narrow for the place
// column gives the other three columns no width.
std::array<int, 4> FirstListColumnWidths(int gridWidth, int widestPlaceTextPixels, unsigned dpi);

// `currentGrid` is the grid's size before this layout: a computed size that
// comes out negative is refused, and what follows it uses the current one.
MainLayout ComputeMainLayout(int clientWidth, int clientHeight, int statusBarHeight, TwipsRect currentGrid);

}  // namespace vorlen
