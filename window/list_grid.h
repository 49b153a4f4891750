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
inline constexpr int kListColumnPlace = 4;
inline constexpr int kListColumnCount = 5;

// Rewrites the data rows of the list grid with the entries: one row each,
// numbered 1, 2, 3 …, every cell written (the place as PlaceText), surplus
// rows dropped only after every cell is written, so that the current-cell
// handler never reads a row's earlier texts. The cells refer to the
// entries' texts, not copies of them. Each row keeps
// what ListRowOf gives back, whatever sort follows. Row heights stay with
// their positions, so a filter's hidden rows stay hidden until the filter is
// applied again. The view hears one change.
void FillListGrid(GridModel& grid, const std::vector<ListedEntry>& entries);

// Numbers the data rows 1, 2, 3 … from the top, as after every sort.
void RenumberListGrid(GridModel& grid);

// What a list row's commands need beyond its texts.
struct ListRow {
    UninstallPlace place = UninstallPlace::Machine;
    bool uninstallStringExpands = false;  // only then are variables expanded when it runs
    bool addressable = true;              // false: no detail view or REG command for it
    WindowsListFacts windowsList;         // what Windows' own list makes of it
};

// The facts FillListGrid kept with a data row; throws std::out_of_range like
// the grid for a row outside it.
ListRow ListRowOf(const GridModel& grid, int row);

}  // namespace vorlen
