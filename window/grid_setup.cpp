#include "window/grid_setup.h"

#include "platform/win32/resource_text.h"
#include "window/main_layout.h"

namespace vorlen {

void SetUpGrid(GridModel& grid, HINSTANCE instance, UINT firstHeading) {
    for (int col = 0; col < grid.Cols(); ++col) grid.SetText(0, col, LoadResourceText(instance, firstHeading + col));
    grid.SetColWidth(0, kFixedColumnWidth);
    grid.SetFixedAlignment(0, CellAlignment::CenterCenter);
    for (int col = 1; col < grid.Cols(); ++col) {
        grid.SetColAlignment(col, CellAlignment::LeftCenter);
        grid.SetFixedAlignment(col, CellAlignment::CenterCenter);
    }
}

}  // namespace vorlen
