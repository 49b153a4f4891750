// The scan and the start-up of the main window on the test prefix, whose
// uninstall keys hold really installed MSI and NSIS packages plus the hotfix
// and odd entries of the fixtures; the prefix reports Windows XP. Entries the
// tests need in particular places are made as scratch keys and deleted again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "core/os_name.h"
#include "grid/grid_model.h"
#include "inventory/entry_reader.h"
#include "inventory/hotfix.h"
#include "inventory/inventory_scan.h"
#include "inventory/uninstall_key.h"
#include "main_window_harness.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/registry_win32.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "test_registry_key.h"
#include "window/list_grid.h"
#include "window/main_layout.h"

using namespace vorlen;

namespace {

const wchar_t kXp[] = L"Windows XP Professional Edition";

struct SubKey {
    UninstallPlace place;
    std::wstring name;
};

// Every sub-key of the three places, in the order the list reads them.
std::vector<SubKey> UninstallSubKeys() {
    std::vector<SubKey> keys;
    for (const UninstallPlace place : kUninstallPlaces)
        Win32Registry().ForEachSubKey(RegistryPlaceOf(place), kUninstallKeyPath,
                                      [&](std::wstring_view name, std::optional<RegistryWriteTime>) {
                                          keys.push_back({place, std::wstring(name)});
                                      });
    return keys;
}

GridModel Scan(const ScanRules& rules) {
    GridModel grid(2, kListColumnCount);
    FillListGrid(grid, ScanUninstallEntries(Win32Registry(), rules));
    return grid;
}

bool Listed(const GridModel& grid, std::wstring_view keyName) {
    for (int row = 1; row < grid.Rows(); ++row)
        if (grid.Text(row, 1) == keyName) return true;
    return false;
}

ScanRules DefaultRules() {
    ScanRules rules;
    rules.settings = {1, 1, 1};
    rules.osName = kXp;
    return rules;
}

// Counts the keys whose values were read, through the registry interface.
class CountingRegistry final : public RegistryReader {
public:
    bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const override {
        return real_.ForEachSubKey(place, path, visit);
    }
    ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                               const RegistryValueVisitor& visit) const override {
        {
            std::lock_guard lock(mutex_);
            read_.push_back(path.substr(path.rfind(L'\\') + 1));
        }
        return real_.ForEachValue(place, path, visit);
    }
    // Each scan starts as if the margin had passed since the test's writes,
    // so that what it read of them may be kept.
    RegistryWriteTime CurrentTime() const override {
        return real_.CurrentTime() + UninstallInventory::kSettledWriteAge;
    }
    std::multiset<std::wstring> TakeReads() const {
        std::lock_guard lock(mutex_);
        std::multiset<std::wstring> read(read_.begin(), read_.end());
        read_.clear();
        return read;
    }

private:
    Win32Registry real_;
    mutable std::mutex mutex_;
    mutable std::vector<std::wstring> read_;
};

const std::wstring kMachineUninstall = kUninstallKeyPath;
const std::wstring kMachine32Uninstall = L"SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace

TEST(Scan, ThePrefixReportsWindowsXp) { EXPECT_EQ(GetOSName(), kXp); }

TEST(Scan, WithEveryRuleOffEveryReadableKeyIsListedInEnumerationOrder) {
    const auto keys = UninstallSubKeys();
    ASSERT_GT(keys.size(), 30u) << "the test prefix is not filled";
    ScanRules rules;
    rules.osName = kXp;
    const GridModel grid = Scan(rules);
    ASSERT_EQ(grid.Rows(), static_cast<int>(keys.size()) + 1);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        EXPECT_EQ(grid.Text(row, 0), std::to_wstring(i + 1));
        EXPECT_EQ(grid.Text(row, 1), VisibleKeyName(keys[i].name));
        EXPECT_EQ(grid.Text(row, kListColumnPlace), PlaceText(keys[i].place));
    }
}

TEST(Scan, DefaultRulesHideNamelessCommandlessAndHotfixEntries) {
    const GridModel grid = Scan(DefaultRules());
    ASSERT_GT(grid.Rows(), 7) << "at least the installed packages are listed";
    for (int row = 1; row < grid.Rows(); ++row) {
        EXPECT_EQ(grid.Text(row, 0), std::to_wstring(row)) << "numbered without gaps";
        EXPECT_FALSE(grid.Text(row, 2).empty()) << std::wstring(grid.Text(row, 1));
        EXPECT_FALSE(grid.Text(row, 3).empty()) << std::wstring(grid.Text(row, 1));
        EXPECT_FALSE(IsHotfix(kXp, grid.Text(row, 2), grid.Text(row, 1))) << std::wstring(grid.Text(row, 1));
    }
    // Every sub-key that passes the rules is there.
    int expected = 0;
    for (const auto& key : UninstallSubKeys()) {
        const EntrySummary entry = ReadEntry(Win32Registry(), key.place, key.name);
        if (entry.opened && !entry.displayName.empty() && !entry.uninstallString.empty() &&
            !IsHotfix(kXp, entry.displayName, key.name))
            ++expected;
    }
    EXPECT_EQ(grid.Rows() - 1, expected);
}

TEST(Scan, HotfixOnlyModeListsTheHotfixesAloneWhateverTheSettings) {
    ScanRules rules = DefaultRules();
    rules.hotfixOnly = true;
    const GridModel grid = Scan(rules);
    std::set<std::wstring> listed;
    for (int row = 1; row < grid.Rows(); ++row) listed.emplace(grid.Text(row, 1));
    // One entry per pattern of the XP rules, and one in the 32-bit view;
    // none of the near misses.
    const std::set<std::wstring> xpHotfixes{L"KB873339", L"Q323255",  L"KB898461", L"Q890046",  L"KB835732",
                                            L"KB896358", L"KB886903", L"KB912919", L"KB958644", L"KB"};
    EXPECT_EQ(listed, xpHotfixes);

    rules.osName = L"Windows 2000";
    const GridModel w2k = Scan(rules);
    ASSERT_EQ(w2k.Rows(), 2);
    EXPECT_EQ(w2k.Text(1, 1), L"KB842773");

    rules.osName = L"";
    EXPECT_EQ(Scan(rules).Rows(), 1) << "no version name: nothing is a hotfix";
}

TEST(Scan, NearMissesOfTheHotfixPatternsStayInTheList) {
    ScanRules rules = DefaultRules();
    rules.settings.noHotfix = 0;
    const GridModel all = Scan(rules);
    rules.settings.noHotfix = 1;
    const GridModel withoutHotfixes = Scan(rules);
    EXPECT_LT(withoutHotfixes.Rows(), all.Rows());
    for (int row = 1; row < all.Rows(); ++row) {
        const bool hotfix = IsHotfix(kXp, all.Text(row, 2), all.Text(row, 1));
        EXPECT_EQ(Listed(withoutHotfixes, all.Text(row, 1)), !hotfix) << std::wstring(all.Text(row, 1));
    }
}

// The fixture VorlenThreePlaces is in the machine's key in both views and in
// the user's key, with other values in each: three rows, each with its own
// place and values.
TEST(Scan, EveryPlaceIsListedWithItsOwnValues) {
    std::vector<std::pair<std::wstring, std::wstring>> rows;
    for (const ListedEntry& entry : ScanUninstallEntries(Win32Registry(), DefaultRules())) {
        if (entry.keyName != L"VorlenThreePlaces") continue;
        rows.emplace_back(PlaceText(entry.place), entry.displayName);
        std::wstring version;
        ReadEntry(Win32Registry(), entry.place, entry.keyName, [&](const EntryValueText& value) {
            if (value.name == L"DisplayVersion") version = value.dataText;
        });
        rows.emplace_back(L"version", version);
    }
    EXPECT_EQ(rows, (decltype(rows){{L"HKLM", L"Vorlen Three Places (machine, 64-bit)"},
                                    {L"version", L"3.64"},
                                    {L"HKLM 32 ビット", L"Vorlen Three Places (machine, 32-bit)"},
                                    {L"version", L"3.32"},
                                    {L"HKCU", L"Vorlen Three Places (current user)"},
                                    {L"version", L"3.0-user"}}));
}

// After a first scan one key changes, one goes and one comes: the next scan
// reads those two keys alone and lists exactly what a full scan lists.
TEST(Scan, RefreshReadsOnlyNewAndChangedKeys) {
    TestRegistryKey changed(HKEY_LOCAL_MACHINE, kMachineUninstall + L"Vorlen refresh: changed");
    TestRegistryKey kept(HKEY_LOCAL_MACHINE, kMachine32Uninstall + L"Vorlen refresh: kept");
    auto gone = std::make_unique<TestRegistryKey>(HKEY_CURRENT_USER, kMachineUninstall + L"Vorlen refresh: gone");
    for (TestRegistryKey* key : {&changed, &kept, gone.get()}) {
        key->SetString(L"DisplayName", L"before");
        key->SetString(L"UninstallString", L"C:\\u.exe");
    }
    const CountingRegistry registry;
    UninstallInventory inventory;
    const auto first = inventory.Scan(registry, DefaultRules());
    EXPECT_EQ(registry.TakeReads().size(), UninstallSubKeys().size());

    Sleep(20);
    changed.SetString(L"DisplayName", L"after");
    gone.reset();
    TestRegistryKey added(HKEY_CURRENT_USER, kMachineUninstall + L"Vorlen refresh: added");
    added.SetString(L"DisplayName", L"new");
    added.SetString(L"UninstallString", L"C:\\u.exe");
    const auto refreshed = inventory.Scan(registry, DefaultRules());
    EXPECT_EQ(registry.TakeReads(),
              (std::multiset<std::wstring>{L"Vorlen refresh: changed", L"Vorlen refresh: added"}));
    EXPECT_EQ(refreshed, ScanUninstallEntries(Win32Registry(), DefaultRules()));
    EXPECT_EQ(refreshed.size(), first.size());

    ScanRules hotfixOnly = DefaultRules();
    hotfixOnly.hotfixOnly = true;
    EXPECT_EQ(inventory.Scan(registry, hotfixOnly), ScanUninstallEntries(Win32Registry(), hotfixOnly));
    EXPECT_TRUE(registry.TakeReads().empty()) << "the hotfix-only mode reads nothing again";
}

// What the list shows, whole: every cell of every row and each row's data.
struct ListContents {
    std::vector<std::vector<std::wstring>> cells;
    std::vector<std::uint32_t> rowData;
};

ListContents ContentsOf(const GridModel& grid) {
    ListContents contents;
    for (int row = 0; row < grid.Rows(); ++row) {
        std::vector<std::wstring>& cells = contents.cells.emplace_back();
        for (int col = 0; col < grid.Cols(); ++col) cells.emplace_back(grid.Text(row, col));
        contents.rowData.push_back(grid.RowData(row));
    }
    return contents;
}

TEST(Scan, KeptReadsAreTheListsOwnTextsAndGiveAFullScansList) {
    TestRegistryKey entry(HKEY_LOCAL_MACHINE, kMachineUninstall + L"Vorlen shared: kept entry");
    entry.SetString(L"DisplayName", L"Vorlen shared program name");
    entry.SetString(L"UninstallString", L"C:\\Program Files\\Vorlen shared\\uninstall.exe");
    // Its clock stands past the settling margin, so the key just written is kept.
    const CountingRegistry registry;
    UninstallInventory inventory;
    GridModel grid(2, kListColumnCount);
    FillListGrid(grid, inventory.Scan(registry, DefaultRules()));
    registry.TakeReads();

    const std::vector<ListedEntry> again = inventory.Scan(registry, DefaultRules());
    EXPECT_TRUE(registry.TakeReads().empty()) << "the second scan reads nothing again";
    EXPECT_EQ(again, ScanUninstallEntries(Win32Registry(), DefaultRules()));
    // The kept read and the list's cells are one copy of each text.
    int row = 1;
    while (row < grid.Rows() && grid.Text(row, kListColumnKeyName) != L"Vorlen shared: kept entry") ++row;
    ASSERT_LT(row, grid.Rows());
    const auto kept = std::find_if(again.begin(), again.end(),
                                   [](const ListedEntry& e) { return e.keyName == L"Vorlen shared: kept entry"; });
    ASSERT_NE(kept, again.end());
    EXPECT_TRUE(kept->keyName.SharesStorageWith(grid.SharedTextAt(row, kListColumnKeyName)));
    EXPECT_TRUE(kept->displayName.SharesStorageWith(grid.SharedTextAt(row, kListColumnDisplayName)));
    EXPECT_TRUE(kept->uninstallString.SharesStorageWith(grid.SharedTextAt(row, kListColumnUninstallString)));
}

TEST(MainWindowStartUp, ARowsTextsSurviveARebuildThatDropsOtherKeys) {
    TestRegistryKey kept(HKEY_LOCAL_MACHINE, kMachineUninstall + L"Vorlen survive: kept");
    auto dropped = std::make_unique<TestRegistryKey>(HKEY_CURRENT_USER, kMachineUninstall + L"Vorlen survive: dropped");
    for (TestRegistryKey* key : {&kept, dropped.get()}) {
        key->SetString(L"DisplayName", L"Vorlen survive " + key->Path().substr(key->Path().rfind(L' ') + 1));
        key->SetString(L"UninstallString", L"C:\\Program Files\\Vorlen survive\\uninstall.exe /quiet");
    }
    TempFolder folder(L"vorlen-survive");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    const GridModel& list = harness.Window().ListGrid();
    const auto rowTexts = [&](int row) {
        return std::vector<std::wstring>{
            std::wstring(list.Text(row, kListColumnKeyName)), std::wstring(list.Text(row, kListColumnDisplayName)),
            std::wstring(list.Text(row, kListColumnUninstallString)), std::wstring(list.Text(row, kListColumnPlace))};
    };
    const std::vector<std::wstring> before = rowTexts(harness.RowOf(L"Vorlen survive: kept"));
    harness.RowOf(L"Vorlen survive: dropped");

    dropped.reset();
    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_VIEW_REFRESH, 0);
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(rowTexts(harness.RowOf(L"Vorlen survive: kept")), before);
    EXPECT_FALSE(Listed(list, L"Vorlen survive: dropped"));
    // The rebuilt list, whole, is a first scan's, sorted as the window sorts.
    GridModel scanned = Scan(DefaultRules());
    scanned.Sort(kListColumnDisplayName, SortDirection::Ascending, UserLocaleCollator());
    RenumberListGrid(scanned);
    for (int col = 0; col < kListColumnCount; ++col) scanned.SetText(0, col, SharedText(list.Text(0, col)));
    const ListContents shown = ContentsOf(list), first = ContentsOf(scanned);
    EXPECT_EQ(shown.cells, first.cells);
    EXPECT_EQ(shown.rowData, first.rowData);
}

TEST(Scan, RowHeightsStayWithTheirPositionsAcrossARescan) {
    GridModel grid(2, kListColumnCount);
    FillListGrid(grid, ScanUninstallEntries(Win32Registry(), DefaultRules()));
    ASSERT_GT(grid.Rows(), 3);
    grid.SetRowHeight(2, 0);
    FillListGrid(grid, ScanUninstallEntries(Win32Registry(), DefaultRules()));
    EXPECT_EQ(grid.RowHeight(2), 0);
    EXPECT_NE(grid.RowHeight(1), 0);
}

TEST(MainWindowStartUp, OpensWithTheVersionTitleAndTheListSortedByProgramName) {
    TempFolder folder(L"vorlen-startup");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    EXPECT_EQ(harness.WindowText(), L"Vorlen [Windows XP Professional Edition]");

    GridModel& list = harness.Window().ListGrid();
    EXPECT_EQ(list.Text(0, 0), L"No.");
    EXPECT_EQ(list.Text(0, 1), L"キー名");
    EXPECT_EQ(list.Text(0, 2), L"プログラム名　[DisplayName]");
    EXPECT_EQ(list.Text(0, 3), L"アンインストール コマンド　[UninstallString]");
    GridModel& detail = harness.Window().DetailGrid();
    EXPECT_EQ(detail.Text(0, 1), L"名前");
    EXPECT_EQ(detail.Text(0, 2), L"種類");
    EXPECT_EQ(detail.Text(0, 3), L"データ");
    EXPECT_FALSE(detail.Visible());

    const GridModel scanned = Scan(DefaultRules());
    ASSERT_EQ(list.Rows(), scanned.Rows());
    const UserLocaleCollator collator;
    for (int row = 1; row < list.Rows(); ++row) {
        EXPECT_EQ(list.Text(row, 0), std::to_wstring(row));
        if (row > 1 && !ParseSortNumber(list.Text(row - 1, 2)) && !ParseSortNumber(list.Text(row, 2)))
            EXPECT_LE(collator.Compare(list.Text(row - 1, 2), list.Text(row, 2)), 0)
                << "row " << row << ": " << std::wstring(list.Text(row - 1, 2)) << " / "
                << std::wstring(list.Text(row, 2));
    }
    EXPECT_EQ(list.Col(), 1);
    EXPECT_EQ(list.ColWidth(0), 450);
    EXPECT_FALSE(harness.Window().IsFirstLayoutPending());
}

TEST(MainWindowStartUp, FirstLayoutAtTheDesignSizeGivesTheDesignColumnWidths) {
    TempFolder folder(L"vorlen-layout");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    if (GetDpiForWindow(harness.Hwnd()) != USER_DEFAULT_SCREEN_DPI) GTEST_SKIP() << "the display is not at 96 DPI";
    RECT client{};
    GetClientRect(harness.Hwnd(), &client);
    EXPECT_EQ(client.right, 628);   // 9420 twips
    EXPECT_EQ(client.bottom, 330);  // 4950 twips
    // The place column takes what its widest text needs; the three text
    // columns share the rest of 8450 twips as 0.2, 0.3 and 0.5.
    GridModel& list = harness.Window().ListGrid();
    const int place = list.ColWidth(4);
    EXPECT_GT(place, 600);
    EXPECT_LT(place, 2000);
    const int spare = 8450 - place;
    EXPECT_EQ(list.ColWidth(1), RoundHalfEven(spare * 0.2));
    EXPECT_EQ(list.ColWidth(2), RoundHalfEven(spare * 0.3));
    EXPECT_EQ(list.ColWidth(3), RoundHalfEven(spare * 0.5));
    GridModel& detail = harness.Window().DetailGrid();
    EXPECT_EQ(detail.ColWidth(1), 1690);
    EXPECT_EQ(detail.ColWidth(2), 1690);
    EXPECT_EQ(detail.ColWidth(3), 5070);
}

TEST(MainWindowStartUp, SettingsFileBesideTheExecutableDecidesWhatIsListed) {
    TempFolder folder(L"vorlen-settings-startup");
    TempFolder::WriteBytes(folder.File(L"Kestrin.ini"),
                           "[Settings]\r\nDisplayName=0\r\nUninstallString=0\r\nNoHotfix=0\r\n");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    EXPECT_EQ(harness.Window().Program().iniFilePath, folder.Path() + L"\\Kestrin.ini");
    EXPECT_EQ(harness.Window().ListGrid().Rows(), static_cast<int>(UninstallSubKeys().size()) + 1);
}
