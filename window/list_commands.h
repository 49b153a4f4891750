#pragma once
#include <functional>

#include "grid/grid_model.h"
#include "window/main_window_parts.h"

namespace vorlen {

// The list of entries: building it, sorting it, filtering it by a box's
// text, stepping through it, and what selecting a row shows.

// Rebuilds the list from the registry under the display rules and the
// hotfix-only mode, in registry order. The grid is hidden while it fills and
// shown again whatever happens.
void LoadList(MainWindowParts& parts);

// Runs `steps` as one rebuild of the list (the scan and the sort after it):
// a move of the current cell meanwhile is only noted, and at the end, if it
// moved, OnListCurrentCellChanged runs once on the final cells. So the boxes,
// the run button and the selected entry describe the entry the current row
// holds after the rebuild, never one it held before the scan or the sort.
// Where the cell did not move, they keep what they showed (the boxes are
// also the filter texts). Rebuilds nest.
void RebuildList(MainWindowParts& parts, const std::function<void()>& steps);

// Sorts the list by one column and renumbers it; the column becomes current.
void SortList(MainWindowParts& parts, int column, SortDirection direction);

// Returns to the list view, rebuilds the list and sorts it by program name.
void RefreshList(MainWindowParts& parts);

// Switches the hotfix-only mode and rebuilds the list for it.
void ToggleHotfixOnly(MainWindowParts& parts);

// Moves the current row one position up or down, hidden rows counted; the
// detail view, when shown, follows.
void StepToPreviousEntry(MainWindowParts& parts);
void StepToNextEntry(MainWindowParts& parts);

// A filter toggle pressed: it releases the other toggles and filters the
// list by its box's text, or shows every row again when it was pressed.
void ToggleFilter(MainWindowParts& parts, int box);

// The list's current cell moved: the boxes show the selected entry. A row
// hidden by a filter changes nothing; with no entry the boxes are empty.
void OnListCurrentCellChanged(MainWindowParts& parts);

}  // namespace vorlen
