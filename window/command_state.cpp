#include "window/command_state.h"

#include "resources/resource.h"

namespace vorlen {

CommandStates::State CommandStates::Of(unsigned command) const {
    const auto found = states_.find(command);
    return found == states_.end() ? State{} : found->second;
}

CommandStates ComputeCommandStates(const CommandSnapshot& snapshot) {
    CommandStates states;
    const bool list = snapshot.view == ViewMode::List;
    // With no data row there is no entry: nothing may act on the headings.
    const bool hasEntry = snapshot.rowCount > 1;

    states.Set(IDM_FILE_EXPLORER, snapshot.focusedTextNamesFolder);
    states.Set(IDM_POPUP_EXPLORER, snapshot.focusedTextNamesFolder);
    states.Set(IDM_FILE_URL, snapshot.focusedTextIsWebAddress);
    states.Set(IDM_POPUP_URL, snapshot.focusedTextIsWebAddress);

    // Cut and paste need a box that may be edited: never a grid, never a
    // box locked by the detail view.
    const bool grid = snapshot.focus == FocusKind::ListGrid || snapshot.focus == FocusKind::DetailGrid;
    const bool lockedBox = snapshot.focus == FocusKind::InfoBox && !list;
    for (unsigned command : {IDM_EDIT_CUT, IDM_EDIT_PASTE, IDM_POPUP_CUT, IDM_POPUP_PASTE})
        states.Set(command, !grid && !lockedBox);

    // Rows are counted by position, hidden rows included.
    states.Set(IDM_VIEW_UP, snapshot.currentRow > 1);
    states.Set(IDM_VIEW_DOWN, snapshot.currentRow < snapshot.rowCount - 1);

    states.Set(IDM_VIEW_TYPE_DETAIL, !list || hasEntry, !list);
    states.Set(IDM_VIEW_TYPE_LIST, true, list);
    states.Set(IDM_ENTRY_DETAIL, !list || hasEntry);
    states.Set(IDM_ENTRY_RUN, hasEntry && !snapshot.selectedCommandEmpty);
    states.Set(IDM_TOOL_REG_QUERY, hasEntry);
    states.Set(IDM_TOOL_REG_EXPORT, hasEntry);

    for (unsigned command :
         {IDM_SORT_KEY_UP, IDM_SORT_KEY_DOWN, IDM_SORT_NAME_UP, IDM_SORT_NAME_DOWN, IDM_SORT_EXE_UP, IDM_SORT_EXE_DOWN})
        states.Set(command, list);

    states.Set(IDM_VIEW_WUAU, true, snapshot.hotfixOnly);
    // A filter hides rows of the list as it is; rebuilding it for the other
    // mode waits until the filter is released.
    states.hotfixButtonEnabled = list && !snapshot.activeFilter;

    const unsigned filters[] = {IDM_FILTER_KEY, IDM_FILTER_NAME, IDM_FILTER_COMMAND};
    for (int i = 0; i < 3; ++i) states.Set(filters[i], list, snapshot.activeFilter == i);

    states.listGridEnabled = list;
    states.infoBoxesLocked = !list;
    return states;
}

}  // namespace vorlen
