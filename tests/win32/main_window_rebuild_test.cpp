// Every rebuild of the list (F5, the hotfix-only commands, OK in the
// settings dialog) that moves the current cell leaves the boxes, the run
// button and the selected entry's place describing the entry the highlighted
// row holds afterwards, never one a row held before the scan or the sort.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "inventory/uninstall_key.h"
#include "main_window_harness.h"
#include "resources/dialog_ids.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "test_registry_key.h"
#include "window/list_grid.h"

using namespace vorlen;

namespace {

// Presses OK in the settings dialog from a timer of its modal loop, after
// clicking the three rule check boxes (which turns each rule over).
void CALLBACK FlipRulesAndConfirm(HWND owner, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", L"表示設定");
    if (!dialog) return;
    KillTimer(owner, timer);
    for (const int box : {IDC_SETTINGS_DISPLAY_NAME, IDC_SETTINGS_UNINSTALL_STRING, IDC_SETTINGS_NO_HOTFIX})
        SendDlgItemMessageW(dialog, box, BM_CLICK, 0, 0);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class MainWindowRebuild : public ::testing::Test {
protected:
    MainWindowRebuild() : folder_(L"vorlen-main-window-rebuild") {}

    void Start() { harness_ = std::make_unique<MainWindowHarness>(folder_.Path()); }
    MainWindow& Window() { return harness_->Window(); }
    GridModel& List() { return Window().ListGrid(); }
    void Command(UINT command) { SendMessageW(harness_->Hwnd(), WM_COMMAND, command, 0); }
    void ToolbarClick(UINT command) {
        SendMessageW(harness_->Hwnd(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Window().Toolbar().Hwnd()));
    }
    void ChangeSettings() {
        SetTimer(harness_->Hwnd(), 1, 50, FlipRulesAndConfirm);
        Command(IDM_VIEW_SETTINGS);
    }
    void SelectLastRow() { List().SetCurrentCell(List().Rows() - 1, kListColumnKeyName); }

    // What the boxes, the run button and the selected place describe, against
    // the cells of the highlighted row.
    void ExpectTheCurrentRowDescribed(const char* after) {
        const int row = List().Row();
        ASSERT_GE(row, 1) << after;
        InfoPanel& info = Window().Info();
        EXPECT_EQ(info.BoxText(0), List().Text(row, kListColumnKeyName)) << after;
        EXPECT_EQ(info.BoxText(1), List().Text(row, kListColumnDisplayName)) << after;
        EXPECT_EQ(info.BoxText(2), List().Text(row, kListColumnUninstallString)) << after;
        EXPECT_EQ(info.RunEnabled(), !List().Text(row, kListColumnUninstallString).empty()) << after;
        EXPECT_EQ(PlaceText(Window().Parts().SelectedPlace()), List().Text(row, kListColumnPlace)) << after;
    }

    TempFolder folder_;
    std::unique_ptr<MainWindowHarness> harness_;
};

}  // namespace

TEST_F(MainWindowRebuild, HotfixOnlyFromTheLastRowDescribesTheHotfixNowHighlighted) {
    Start();
    ASSERT_TRUE(harness_->Created());
    SelectLastRow();
    const std::wstring before = Window().Info().BoxText(0);
    Command(IDM_VIEW_WUAU);
    ASSERT_EQ(List().Rows(), 11) << "the Windows XP hotfixes";
    EXPECT_EQ(List().Row(), 10) << "the current cell is pulled onto the last hotfix";
    EXPECT_NE(Window().Info().BoxText(0), before);
    ExpectTheCurrentRowDescribed("the menu item");

    // Back to every entry: the current row stays, and so do the boxes.
    Command(IDM_VIEW_WUAU);
    SelectLastRow();
    SendMessageW(Window().Toolbar().Hwnd(), TB_CHECKBUTTON, IDM_VIEW_WUAU, TRUE);
    ToolbarClick(IDM_VIEW_WUAU);
    ASSERT_EQ(List().Rows(), 11);
    ExpectTheCurrentRowDescribed("the toolbar button");
}

// Where the current cell stays put, the boxes keep what they held: they are
// also the filter texts, and a user's typing in them must survive.
TEST_F(MainWindowRebuild, ACurrentCellThatStaysKeepsTheBoxesAndTheirEntry) {
    Start();
    ASSERT_TRUE(harness_->Created());
    List().SetCurrentCell(2, kListColumnKeyName);
    Window().Info().SetBoxText(1, L"typed filter text");
    const std::wstring key = Window().Info().BoxText(0);
    const UninstallPlace place = Window().Parts().SelectedPlace();
    Command(IDM_VIEW_WUAU);
    EXPECT_EQ(List().Row(), 2);
    EXPECT_EQ(Window().Info().BoxText(0), key);
    EXPECT_EQ(Window().Info().BoxText(1), L"typed filter text");
    EXPECT_EQ(Window().Parts().SelectedPlace(), place) << "the place stays with the key name it serves";
}

TEST_F(MainWindowRebuild, ASettingsChangeThatHidesTheRowsBelowTheCurrentOneDescribesTheNewLastRow) {
    Start();
    ASSERT_TRUE(harness_->Created());
    ChangeSettings();  // every rule off: everything is listed
    const int everything = List().Rows();
    SelectLastRow();
    ChangeSettings();  // every rule on again
    ASSERT_LT(List().Rows(), everything);
    EXPECT_EQ(List().Row(), List().Rows() - 1);
    ExpectTheCurrentRowDescribed("OK in the settings dialog");
}

TEST_F(MainWindowRebuild, RefreshAfterEntriesWereDeletedDescribesTheRowNowHighlighted) {
    std::vector<std::unique_ptr<TestRegistryKey>> keys;
    for (const wchar_t* name : {L"VorlenRebuild.A", L"VorlenRebuild.B", L"VorlenRebuild.C"}) {
        keys.push_back(std::make_unique<TestRegistryKey>(HKEY_CURRENT_USER, std::wstring(kUninstallKeyPath) + name));
        keys.back()->SetString(L"DisplayName", std::wstring(L"Vorlen rebuild ") + name);
        keys.back()->SetString(L"UninstallString", L"C:\\rebuild\\uninst.exe");
    }
    Start();
    ASSERT_TRUE(harness_->Created());
    const int rows = List().Rows();
    SelectLastRow();
    keys.clear();
    Command(IDM_VIEW_REFRESH);
    ASSERT_EQ(List().Rows(), rows - 3);
    ExpectTheCurrentRowDescribed("F5 on the last row");

    // F5 with the key-name column current moves the cell to the sorted
    // column: the boxes show the row's entry after the sort.
    List().SetCurrentCell(3, kListColumnKeyName);
    Window().Info().SetBoxText(0, L"typed");
    Command(IDM_VIEW_REFRESH);
    EXPECT_EQ(List().Col(), kListColumnDisplayName);
    ExpectTheCurrentRowDescribed("F5 from the key-name column");
}
