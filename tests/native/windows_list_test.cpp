#include <gtest/gtest.h>

#include <vector>

#include "fake_registry.h"
#include "inventory/entry_reader.h"
#include "inventory/inventory_scan.h"
#include "inventory/windows_list.h"
#include "grid/text_collator.h"
#include "window/list_grid.h"

namespace vorlen {
namespace {

constexpr auto kMachine = RegistryRoot::LocalMachine;

std::wstring EntryPath(std::wstring_view keyName) { return kUninstallKeyPath + std::wstring(keyName); }

TEST(WindowsListFacts, OnlyNonZeroDwordsAndNonEmptyTextsCountAndReadingWantsNoSink) {
    fakes::FakeRegistry registry;
    const std::wstring hidden = EntryPath(L"Hidden"), update = EntryPath(L"Update"), near = EntryPath(L"NearMiss");
    registry.AddString(kMachine, hidden, L"DisplayName", L"Hidden")
        .AddDword(kMachine, hidden, L"SystemComponent", 1)
        .AddDword(kMachine, hidden, L"NoRemove", 0x100);
    registry.AddString(kMachine, update, L"ParentKeyName", L"Parent Program");
    // Near misses: zero, a text "1" instead of a DWORD, another letter case,
    // an empty ParentKeyName, a ParentKeyName that is no text.
    registry.AddDword(kMachine, near, L"SystemComponent", 0)
        .AddString(kMachine, near, L"NoRemove", L"1")
        .AddDword(kMachine, near, L"systemcomponent", 1)
        .AddString(kMachine, near, L"ParentKeyName", L"")
        .AddDword(kMachine, near, L"parentkeyname", 1);

    std::wstring parent;
    const EntrySummary hiddenEntry = ReadEntry(registry, UninstallPlace::Machine, L"Hidden");
    EXPECT_EQ(hiddenEntry.windowsList, (WindowsListFacts{true, false, true}));
    const EntrySummary updateEntry = ReadEntry(registry, UninstallPlace::Machine, L"Update", nullptr, &parent);
    EXPECT_EQ(updateEntry.windowsList, (WindowsListFacts{false, true, false}));
    EXPECT_EQ(parent, L"Parent Program");
    EXPECT_EQ(ReadEntry(registry, UninstallPlace::Machine, L"NearMiss").windowsList, WindowsListFacts{});

    // A REG_DWORD of odd length counts by its bytes, up to the four a DWORD has.
    WindowsListFacts facts;
    const std::vector<std::uint8_t> shortNonZero{0, 1}, zeroThenMore{0, 0, 0, 0, 1};
    NoteWindowsListValue(facts, L"NoRemove", kRegDword, shortNonZero);
    NoteWindowsListValue(facts, L"SystemComponent", kRegDword, zeroThenMore);
    EXPECT_EQ(facts, (WindowsListFacts{false, false, true}));
}

TEST(WindowsListNote, TheFirstThatAppliesInOrderAndTheUninstallerNoteAfterAFullWidthSpace) {
    const WindowsListFacts all{true, true, true};
    EXPECT_EQ(ChooseWindowsListNote(all, true), WindowsListNote::SystemComponent);
    EXPECT_EQ(ChooseWindowsListNote({false, true, true}, true), WindowsListNote::NoDisplayName);
    EXPECT_EQ(ChooseWindowsListNote({false, true, true}, false), WindowsListNote::Update);
    EXPECT_EQ(ChooseWindowsListNote({false, false, true}, false), WindowsListNote::NoRemove);
    EXPECT_EQ(ChooseWindowsListNote({}, false), WindowsListNote::None);

    EXPECT_EQ(JoinEntryNotes(L"A", L"B"), L"A\u3000B");
    EXPECT_EQ(JoinEntryNotes(L"", L"B"), L"B");
    EXPECT_EQ(JoinEntryNotes(L"A", L""), L"A");
    EXPECT_EQ(JoinEntryNotes(L"", L""), L"");
}

TEST(WindowsListFacts, TravelFromTheScanIntoTheRowDataAndStayWithTheRowWhenItSorts) {
    fakes::FakeRegistry registry;
    for (const wchar_t* name : {L"B Component", L"A Update"}) {
        registry.AddString(kMachine, EntryPath(name), L"DisplayName", name)
            .AddString(kMachine, EntryPath(name), L"UninstallString", L"x.exe");
    }
    registry.AddDword(kMachine, EntryPath(L"B Component"), L"SystemComponent", 1)
        .AddDword(kMachine, EntryPath(L"B Component"), L"NoRemove", 1)
        .AddString(kMachine, EntryPath(L"A Update"), L"ParentKeyName", L"B Component");

    const auto entries = ScanUninstallEntries(registry, ScanRules{}, 1);
    GridModel grid(2, kListColumnCount);
    FillListGrid(grid, entries);
    grid.Sort(kListColumnKeyName, SortDirection::Ascending, OrdinalIgnoreCaseCollator());
    ASSERT_EQ(grid.Text(1, kListColumnKeyName), L"A Update");
    EXPECT_EQ(ListRowOf(grid, 1).windowsList, (WindowsListFacts{false, true, false}));
    EXPECT_EQ(ListRowOf(grid, 2).windowsList, (WindowsListFacts{true, false, true}));
    EXPECT_EQ(ListRowOf(grid, 2).place, UninstallPlace::Machine);
}

}  // namespace
}  // namespace vorlen
