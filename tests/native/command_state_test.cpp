// The one rule behind every command's enabled and checked state.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "window/command_state.h"

using namespace vorlen;

namespace {

CommandSnapshot ListOf(int dataRows, int currentRow) {
    CommandSnapshot snapshot;
    snapshot.rowCount = dataRows + 1;
    snapshot.currentRow = currentRow;
    snapshot.selectedCommandEmpty = false;
    return snapshot;
}

}  // namespace

TEST(CommandStates, AnEmptyListOffersNoCommandThatNeedsAnEntry) {
    CommandSnapshot empty = ListOf(0, 0);
    empty.selectedCommandEmpty = true;
    const CommandStates states = ComputeCommandStates(empty);
    for (unsigned command : {IDM_ENTRY_RUN, IDM_ENTRY_DETAIL, IDM_VIEW_TYPE_DETAIL, IDM_TOOL_REG_QUERY,
                             IDM_TOOL_REG_EXPORT, IDM_VIEW_UP, IDM_VIEW_DOWN})
        EXPECT_FALSE(states.Enabled(command)) << command;
    // What needs no entry stays available.
    for (unsigned command : {IDM_VIEW_REFRESH, IDM_VIEW_WUAU, IDM_FILE_EXPORT, IDM_SORT_NAME_UP, IDM_VIEW_TYPE_LIST})
        EXPECT_TRUE(states.Enabled(command)) << command;

    // A list emptied while the detail view is shown can still go back.
    empty.view = ViewMode::Detail;
    EXPECT_TRUE(ComputeCommandStates(empty).Enabled(IDM_ENTRY_DETAIL));
}

TEST(CommandStates, StepsFollowThePositionOfTheCurrentRow) {
    const CommandStates first = ComputeCommandStates(ListOf(3, 1));
    EXPECT_FALSE(first.Enabled(IDM_VIEW_UP));
    EXPECT_TRUE(first.Enabled(IDM_VIEW_DOWN));
    const CommandStates last = ComputeCommandStates(ListOf(3, 3));
    EXPECT_TRUE(last.Enabled(IDM_VIEW_UP));
    EXPECT_FALSE(last.Enabled(IDM_VIEW_DOWN));
    const CommandStates only = ComputeCommandStates(ListOf(1, 1));
    EXPECT_FALSE(only.Enabled(IDM_VIEW_UP));
    EXPECT_FALSE(only.Enabled(IDM_VIEW_DOWN));
}

TEST(CommandStates, TheDetailViewLocksTheListModeCommands) {
    CommandSnapshot detail = ListOf(5, 2);
    detail.view = ViewMode::Detail;
    const CommandStates states = ComputeCommandStates(detail);
    EXPECT_TRUE(states.Checked(IDM_VIEW_TYPE_DETAIL));
    EXPECT_FALSE(states.Checked(IDM_VIEW_TYPE_LIST));
    EXPECT_FALSE(states.Enabled(IDM_SORT_EXE_DOWN));
    EXPECT_FALSE(states.Enabled(IDM_FILTER_NAME));
    EXPECT_FALSE(states.hotfixButtonEnabled);
    EXPECT_TRUE(states.Enabled(IDM_VIEW_WUAU)) << "the menu item is never disabled";
    EXPECT_TRUE(states.infoBoxesLocked);
    EXPECT_FALSE(states.listGridEnabled);
    EXPECT_TRUE(states.Enabled(IDM_VIEW_DOWN)) << "stepping goes on in the detail view";

    const CommandStates list = ComputeCommandStates(ListOf(5, 2));
    EXPECT_TRUE(list.Checked(IDM_VIEW_TYPE_LIST));
    EXPECT_TRUE(list.Enabled(IDM_SORT_EXE_DOWN));
    EXPECT_FALSE(list.infoBoxesLocked);
}

TEST(CommandStates, CutAndPasteNeedABoxThatMayBeEdited) {
    CommandSnapshot snapshot = ListOf(2, 1);
    const auto cutAndPaste = [&](FocusKind focus, ViewMode view) {
        snapshot.focus = focus;
        snapshot.view = view;
        const CommandStates states = ComputeCommandStates(snapshot);
        EXPECT_EQ(states.Enabled(IDM_EDIT_CUT), states.Enabled(IDM_POPUP_PASTE));
        EXPECT_TRUE(states.Enabled(IDM_EDIT_COPY));
        return states.Enabled(IDM_EDIT_PASTE);
    };
    EXPECT_FALSE(cutAndPaste(FocusKind::ListGrid, ViewMode::List));
    EXPECT_FALSE(cutAndPaste(FocusKind::DetailGrid, ViewMode::Detail));
    EXPECT_TRUE(cutAndPaste(FocusKind::InfoBox, ViewMode::List));
    EXPECT_FALSE(cutAndPaste(FocusKind::InfoBox, ViewMode::Detail));
    EXPECT_TRUE(cutAndPaste(FocusKind::Other, ViewMode::Detail));
}

TEST(CommandStates, APressedFilterShowsAndHoldsTheHotfixButton) {
    CommandSnapshot snapshot = ListOf(4, 1);
    snapshot.activeFilter = 1;
    snapshot.hotfixOnly = true;
    const CommandStates states = ComputeCommandStates(snapshot);
    EXPECT_TRUE(states.Checked(IDM_FILTER_NAME));
    EXPECT_FALSE(states.Checked(IDM_FILTER_KEY));
    EXPECT_FALSE(states.hotfixButtonEnabled);
    EXPECT_TRUE(states.Checked(IDM_VIEW_WUAU));
}

TEST(CommandStates, RunNeedsTheSelectedEntrysCommand) {
    CommandSnapshot snapshot = ListOf(4, 2);
    EXPECT_TRUE(ComputeCommandStates(snapshot).Enabled(IDM_ENTRY_RUN));
    snapshot.selectedCommandEmpty = true;
    EXPECT_FALSE(ComputeCommandStates(snapshot).Enabled(IDM_ENTRY_RUN));
}
