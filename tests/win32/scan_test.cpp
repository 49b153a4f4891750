// The scan and the start-up of the main window on the test prefix, whose uninstall
// key holds really installed MSI and NSIS packages plus the hotfix and odd
// entries of the fixtures; the prefix reports Windows XP.
#include <gtest/gtest.h>

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
#include "temp_folder.h"
#include "window/list_grid.h"

using namespace vorlen;

namespace {

const wchar_t kXp[] = L"Windows XP Professional Edition";

std::vector<std::wstring> UninstallSubKeys() {
    std::vector<std::wstring> names;
    Win32Registry().ForEachSubKey(RegistryRoot::LocalMachine, kUninstallKeyPath,
                                  [&](std::wstring_view name) { names.emplace_back(name); });
    return names;
}

GridModel Scan(const ScanRules& rules) {
    GridModel grid(2, 4);
    FillListGrid(grid, ScanUninstallEntries(Win32Registry(), rules));
    return grid;
}

bool Listed(const GridModel& grid, const std::wstring& keyName) {
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

}  // namespace

TEST(Scan, ThePrefixReportsWindowsXp) { EXPECT_EQ(GetOSName(), kXp); }

TEST(Scan, WithEveryRuleOffEveryReadableKeyIsListedInEnumerationOrder) {
    const auto names = UninstallSubKeys();
    ASSERT_GT(names.size(), 30u) << "the test prefix is not filled";
    ScanRules rules;
    rules.osName = kXp;
    const GridModel grid = Scan(rules);
    ASSERT_EQ(grid.Rows(), static_cast<int>(names.size()) + 1);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(grid.Text(static_cast<int>(i) + 1, 0), std::to_wstring(i + 1));
        EXPECT_EQ(grid.Text(static_cast<int>(i) + 1, 1), names[i]);
    }
}

TEST(Scan, DefaultRulesHideNamelessCommandlessAndHotfixEntries) {
    const GridModel grid = Scan(DefaultRules());
    ASSERT_GT(grid.Rows(), 7) << "at least the installed packages are listed";
    for (int row = 1; row < grid.Rows(); ++row) {
        EXPECT_EQ(grid.Text(row, 0), std::to_wstring(row)) << "numbered without gaps";
        EXPECT_FALSE(grid.Text(row, 2).empty()) << grid.Text(row, 1);
        EXPECT_FALSE(grid.Text(row, 3).empty()) << grid.Text(row, 1);
        EXPECT_FALSE(IsHotfix(kXp, grid.Text(row, 2), grid.Text(row, 1))) << grid.Text(row, 1);
    }
    // Every sub-key that passes the rules is there.
    int expected = 0;
    for (const auto& name : UninstallSubKeys()) {
        const EntrySummary entry = ReadEntry(Win32Registry(), name);
        if (entry.opened && !entry.displayName.empty() && !entry.uninstallString.empty() &&
            !IsHotfix(kXp, entry.displayName, name))
            ++expected;
    }
    EXPECT_EQ(grid.Rows() - 1, expected);
}

TEST(Scan, HotfixOnlyModeListsTheHotfixesAloneWhateverTheSettings) {
    ScanRules rules = DefaultRules();
    rules.hotfixOnly = true;
    const GridModel grid = Scan(rules);
    std::set<std::wstring> listed;
    for (int row = 1; row < grid.Rows(); ++row) listed.insert(grid.Text(row, 1));
    // One entry per pattern of the XP rules; none of the near misses.
    const std::set<std::wstring> xpHotfixes{L"KB873339", L"Q323255",  L"KB898461", L"Q890046", L"KB835732",
                                            L"KB896358", L"KB886903", L"KB912919", L"KB"};
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
        EXPECT_EQ(Listed(withoutHotfixes, all.Text(row, 1)), !hotfix) << all.Text(row, 1);
    }
}

TEST(Scan, RowHeightsStayWithTheirPositionsAcrossARescan) {
    GridModel grid(2, 4);
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
                << "row " << row << ": " << list.Text(row - 1, 2) << " / " << list.Text(row, 2);
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
    GridModel& list = harness.Window().ListGrid();
    EXPECT_EQ(list.ColWidth(1), 1690);
    EXPECT_EQ(list.ColWidth(2), 2535);
    EXPECT_EQ(list.ColWidth(3), 4225);
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
