#pragma once
#include <windows.h>

#include "grid/grid_model.h"

namespace vorlen {

// Gives a grid its headings (four resource texts from `firstHeading` on),
// the fixed number column's width and the alignments both grids share.
void SetUpGrid(GridModel& grid, HINSTANCE instance, UINT firstHeading);

}  // namespace vorlen
