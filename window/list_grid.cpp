#include "window/list_grid.h"

#include <algorithm>
#include <string>

namespace vorlen {

namespace {

// A row's facts packed into the grid's row data: the place in the low bits,
// then one bit per flag.
constexpr std::uint32_t kPlaceMask = 0x3;
constexpr std::uint32_t kExpandsBit = 0x4;
constexpr std::uint32_t kUnaddressableBit = 0x8;
constexpr std::uint32_t kSystemComponentBit = 0x10;
constexpr std::uint32_t kParentKeyNameBit = 0x20;
constexpr std::uint32_t kNoRemoveBit = 0x40;

std::uint32_t RowDataOf(const ListedEntry& entry) {
    const WindowsListFacts& facts = entry.windowsList;
    return static_cast<std::uint32_t>(entry.place) | (entry.uninstallStringExpands ? kExpandsBit : 0) |
           (entry.addressable ? 0 : kUnaddressableBit) | (facts.systemComponent ? kSystemComponentBit : 0) |
           (facts.hasParentKeyName ? kParentKeyNameBit : 0) | (facts.noRemove ? kNoRemoveBit : 0);
}

// One text per place, which every row of that place refers to.
const SharedText& PlaceCellText(UninstallPlace place) {
    static const SharedText texts[] = {SharedText(PlaceText(UninstallPlace::Machine)),
                                       SharedText(PlaceText(UninstallPlace::Machine32)),
                                       SharedText(PlaceText(UninstallPlace::User))};
    return texts[static_cast<std::size_t>(place)];
}

}  // namespace

void FillListGrid(GridModel& grid, const std::vector<ListedEntry>& entries) {
    const GridModel::ChangeBatch batch(grid);
    // Sized for both lists while the cells are written, so that the current
    // cell stays where it is until every row holds its new entry; the cut
    // below then moves it, where it must, onto the new cells.
    const int rows = static_cast<int>(entries.size()) + 1;
    grid.SetRows(std::max(grid.Rows(), rows));
    int row = 1;
    for (const ListedEntry& entry : entries) {
        grid.SetText(row, kListColumnNumber, std::to_wstring(row));
        grid.SetText(row, kListColumnKeyName, entry.keyName);
        grid.SetText(row, kListColumnDisplayName, entry.displayName);
        grid.SetText(row, kListColumnUninstallString, entry.uninstallString);
        grid.SetText(row, kListColumnPlace, PlaceCellText(entry.place));
        grid.SetRowData(row, RowDataOf(entry));
        ++row;
    }
    grid.SetRows(rows);
}

void RenumberListGrid(GridModel& grid) {
    const GridModel::ChangeBatch batch(grid);
    for (int row = grid.FixedRows(); row < grid.Rows(); ++row)
        grid.SetText(row, kListColumnNumber, std::to_wstring(row));
}

ListRow ListRowOf(const GridModel& grid, int row) {
    const std::uint32_t data = grid.RowData(row);
    return {static_cast<UninstallPlace>(data & kPlaceMask),
            (data & kExpandsBit) != 0,
            (data & kUnaddressableBit) == 0,
            {(data & kSystemComponentBit) != 0, (data & kParentKeyNameBit) != 0, (data & kNoRemoveBit) != 0}};
}

}  // namespace vorlen
