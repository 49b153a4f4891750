#pragma once
#include <vector>

#include "grid/grid_model.h"
#include "inventory/inventory_scan.h"

namespace vorlen {

// Columns of the list grid.
inline constexpr int kListColumnNumber = 0;
inline constexpr int kListColumnKeyName = 1;
inline constexpr int kListColumnDisplayName = 2;
inline constexpr int kListColumnUninstallString = 3;

// Rewrites the data rows of the list grid with the entries: one row each,
// numbered 1, 2, 3 …, all four cells written, surplus rows dropped. Row
// heights stay with their positions, so a filter's hidden rows stay hidden
// until the filter is applied again. The view hears one change.
void FillListGrid(GridModel& grid, const std::vector<ListedEntry>& entries);

// Numbers the data rows 1, 2, 3 … from the top, as after every sort.
void RenumberListGrid(GridModel& grid);

}  // namespace vorlen
