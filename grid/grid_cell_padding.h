#pragma once

namespace vorlen {

// The blank each side of a grid cell's text at 96 DPI; it grows with the DPI.
// Each cell also ends in a grid line of one pixel. The grid control draws
// with it and the layout sizes columns to their texts with it.
inline constexpr int kGridCellPaddingAt96Dpi = 2;

}  // namespace vorlen
