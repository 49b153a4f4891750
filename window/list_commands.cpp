#include "window/list_commands.h"

#include <utility>
#include <vector>

#include "inventory/column_filter.h"
#include "inventory/inventory_scan.h"
#include "resources/resource.h"
#include "window/detail_view.h"
#include "window/entry_notes.h"
#include "window/list_grid.h"

namespace vorlen {

namespace {

// Hides a grid for one scope, so that it is redrawn once at the end; it is
// shown again however the scope ends.
class HiddenWhileFilling {
public:
    explicit HiddenWhileFilling(GridModel& grid) : grid_(grid) { grid_.SetVisible(false); }
    ~HiddenWhileFilling() { grid_.SetVisible(true); }
    HiddenWhileFilling(const HiddenWhileFilling&) = delete;
    HiddenWhileFilling& operator=(const HiddenWhileFilling&) = delete;

private:
    GridModel& grid_;
};

void StepBy(MainWindowParts& parts, int rows) {
    const int target = parts.list.Row() + rows;
    if (target < parts.list.FixedRows() || target >= parts.list.Rows()) return;
    parts.list.SetRow(target);
    if (parts.view == ViewMode::Detail) ShowDetail(parts);
}

void ApplyFilter(MainWindowParts& parts, int box) {
    try {
        const HiddenWhileFilling hidden(parts.list);
        if (parts.activeFilter == box) {
            const int shown = ApplyColumnFilter(parts.list, kListColumnKeyName + box, parts.info.BoxText(box));
            parts.list.SetFixedForeColour(kColourBlue);
            parts.status.SetText(FilterCountText(shown));
        } else {
            ShowAllRows(parts.list);
            parts.list.SetFixedForeColour(kSystemButtonText);
            parts.status.SetText(L"");
        }
    } catch (const std::exception& failure) {
        parts.ShowError(IDS_CAPTION_FILTER_ERROR, failure);
    }
}

}  // namespace

void RebuildList(MainWindowParts& parts, const std::function<void()>& steps) {
    const auto end = [&parts] {
        if (--parts.listRebuilds > 0) return;
        if (std::exchange(parts.currentCellMovedInRebuild, false))
            OnListCurrentCellChanged(parts);
        else if (parts.view == ViewMode::List)
            // The uninstaller may be gone since the last look, whatever the rows did.
            ShowSelectedEntryNotes(parts);
    };
    ++parts.listRebuilds;
    try {
        steps();
    } catch (...) {
        end();
        throw;
    }
    end();
}

void LoadList(MainWindowParts& parts) {
    ScanRules rules;
    rules.settings = parts.program.settings;
    rules.osName = parts.program.osName;
    rules.hotfixOnly = parts.hotfixOnly;
    const std::vector<ListedEntry> entries = parts.inventory.Scan(*parts.services.registry, rules);
    RebuildList(parts, [&] {
        const HiddenWhileFilling hidden(parts.list);
        FillListGrid(parts.list, entries);
    });
    FitCountPanel(parts);
}

void SortList(MainWindowParts& parts, int column, SortDirection direction) {
    parts.list.SetCol(column);
    parts.list.Sort(column, direction, *parts.services.collator);
    RenumberListGrid(parts.list);
}

void RefreshList(MainWindowParts& parts) {
    if (parts.view == ViewMode::Detail) SelectView(parts, ViewMode::List);
    RebuildList(parts, [&] {
        LoadList(parts);
        SortList(parts, kListColumnDisplayName, SortDirection::Ascending);
    });
}

void ToggleHotfixOnly(MainWindowParts& parts) {
    parts.hotfixOnly = !parts.hotfixOnly;
    LoadList(parts);
}

void StepToPreviousEntry(MainWindowParts& parts) { StepBy(parts, -1); }
void StepToNextEntry(MainWindowParts& parts) { StepBy(parts, +1); }

void ToggleFilter(MainWindowParts& parts, int box) {
    // One filter at a time: pressing a toggle releases whichever was pressed.
    parts.activeFilter = parts.activeFilter == box ? std::nullopt : std::optional<int>(box);
    ApplyFilter(parts, box);
}

void OnListCurrentCellChanged(MainWindowParts& parts) {
    if (parts.listRebuilds > 0) {
        parts.currentCellMovedInRebuild = true;
        return;
    }
    const GridModel& list = parts.list;
    const int row = list.Row();
    if (row < list.FixedRows()) {
        // No entry is selected (the list is empty): nothing is shown, and no
        // command may take the headings for an entry.
        for (int box = 0; box < 3; ++box) parts.info.SetBoxText(box, L"");
        parts.selected.reset();
    } else {
        if (list.IsRowHidden(row)) return;
        parts.info.SetBoxText(InfoPanel::kKeyBox, std::wstring(list.Text(row, kListColumnKeyName)));
        parts.info.SetBoxText(InfoPanel::kNameBox, std::wstring(list.Text(row, kListColumnDisplayName)));
        parts.info.SetBoxText(InfoPanel::kCommandBox, std::wstring(list.Text(row, kListColumnUninstallString)));
        parts.selected = MainWindowParts::SelectedEntry{ListRowOf(list, row),
                                                        std::wstring(list.Text(row, kListColumnUninstallString)),
                                                        WindowsListNoteOfRow(parts, row)};
    }
    // In the detail view the panel describes what the detail read.
    if (parts.view == ViewMode::List) ShowSelectedEntryNotes(parts);
    parts.ShowCommandStates();
}

}  // namespace vorlen
