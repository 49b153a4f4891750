// What the main window looks up in the file system on its own, to colour a
// detail cell or enable the open-folder command: never a path on a mapped
// network drive, and never a pattern.
#include <windows.h>
#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "inventory/uninstall_key.h"
#include "main_window_harness.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "test_registry_key.h"
#include "window/list_grid.h"

using namespace vorlen;

TEST(MainWindowLookups, PathsOnANetworkDriveAndPatternsAreNeverLookedUpNorColoured) {
    TempFolder folder(L"vorlen-main-window-lookups");
    const std::wstring program = folder.File(L"setup.exe");
    TempFolder::WriteBytes(program, "MZ");
    TestRegistryKey key(HKEY_CURRENT_USER, std::wstring(kUninstallKeyPath) + L"VorlenLookups");
    key.SetString(L"DisplayName", L"Vorlen lookups");
    key.SetString(L"UninstallString", L"Z:\\Vorlen\\uninst.exe");
    key.SetString(L"InstallLocation", L"z:\\Vorlen");
    key.SetString(L"DisplayIcon", L"C:\\*");
    key.SetString(L"Readme", folder.File(L"setup.ex?"));
    key.SetString(L"Existing", program);
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    FakeDesktop& desktop = harness.Desktop();
    desktop.networkDrives = L"Z";
    MainWindow& window = harness.Window();

    window.ListGrid().SetCurrentCell(harness.RowOf(L"VorlenLookups", L"HKCU"), kListColumnUninstallString);
    SetFocus(window.ListGridView().Hwnd());
    const HMENU fileMenu = GetSubMenu(window.Menu().Bar(), MainMenu::kFile);
    SendMessageW(harness.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(fileMenu), MAKELPARAM(MainMenu::kFile, 0));
    EXPECT_FALSE(window.Menu().Enabled(IDM_FILE_EXPLORER)) << "its folder lies on the network drive";

    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_VIEW_TYPE_DETAIL, 0);
    const GridModel& detail = window.DetailGrid();
    int checked = 0;
    for (int row = 1; row < detail.Rows(); ++row) {
        const std::wstring name(detail.Text(row, 1));
        if (name == L"DisplayName") continue;
        ++checked;
        EXPECT_EQ(detail.CellForeColour(row, 3), name == L"Existing" ? kColourBlue : kSystemWindowText) << name;
    }
    EXPECT_EQ(checked, 5);
    for (const std::wstring& path : desktop.probed) {
        EXPECT_NE(towupper(path[0]), L'Z') << "looked up " << path;
        EXPECT_EQ(path.find_first_of(L"*?"), std::wstring::npos) << "looked up " << path;
    }
}
