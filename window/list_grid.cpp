#include "window/list_grid.h"

#include <string>

namespace vorlen {

void FillListGrid(GridModel& grid, const std::vector<ListedEntry>& entries) {
    const GridModel::ChangeBatch batch(grid);
    grid.SetRows(static_cast<int>(entries.size()) + 1);
    int row = 1;
    for (const ListedEntry& entry : entries) {
        grid.SetText(row, kListColumnNumber, std::to_wstring(row));
        grid.SetText(row, kListColumnKeyName, entry.keyName);
        grid.SetText(row, kListColumnDisplayName, entry.displayName);
        grid.SetText(row, kListColumnUninstallString, entry.uninstallString);
        ++row;
    }
}

void RenumberListGrid(GridModel& grid) {
    const GridModel::ChangeBatch batch(grid);
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row)
        grid.SetText(row, kListColumnNumber, std::to_wstring(row));
}

}  // namespace vorlen
