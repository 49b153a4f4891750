// The main window over the three places programs register in: one row per
// place of a key name, and every command of the entry at hand in its place.
#include <windows.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "inventory/uninstall_key.h"
#include "main_window_harness.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "test_registry_key.h"
#include "window/list_grid.h"

using namespace vorlen;

namespace {

class MainWindowPlaces : public ::testing::Test {
protected:
    MainWindowPlaces() : folder_(L"vorlen-main-window-places") {}

    MainWindow& Window() { return harness_->Window(); }
    GridModel& List() { return Window().ListGrid(); }
    void Start() { harness_ = std::make_unique<MainWindowHarness>(folder_.Path()); }
    void Command(UINT command) { SendMessageW(harness_->Hwnd(), WM_COMMAND, command, 0); }
    int RowOf(const std::wstring& key, const std::wstring& place) { return harness_->RowOf(key, place); }
    std::wstring DetailValue(const std::wstring& name) {
        const GridModel& detail = Window().DetailGrid();
        for (int row = 1; row < detail.Rows(); ++row)
            if (detail.Text(row, 1) == name) return std::wstring(detail.Text(row, 3));
        return L"(none)";
    }

    TempFolder folder_;
    std::unique_ptr<MainWindowHarness> harness_;
};

}  // namespace

TEST_F(MainWindowPlaces, OneKeyNameInThreePlacesGivesThreeRowsEachWithItsOwnValuesAndKey) {
    Start();
    ASSERT_TRUE(harness_->Created());
    EXPECT_EQ(List().Text(0, kListColumnPlace), L"場所");
    struct Place {
        const wchar_t* text;
        const wchar_t* publisher;
        const wchar_t* registryPath;
    };
    for (const Place& place :
         {Place{L"HKLM", L"Vorlen Three Places 64-bit Publisher", L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft"},
          Place{L"HKLM 32 ビット", L"Vorlen Three Places 32-bit Publisher",
                L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft"},
          Place{L"HKCU", L"Vorlen Three Places User Publisher", L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft"}}) {
        const int row = RowOf(L"VorlenThreePlaces", place.text);
        List().SetCurrentCell(row, 1);
        Command(IDM_VIEW_TYPE_DETAIL);
        EXPECT_EQ(DetailValue(L"Publisher"), place.publisher) << place.text;
        EXPECT_EQ(DetailValue(L"DisplayName"), List().Text(row, kListColumnDisplayName)) << place.text;
        Command(IDM_VIEW_TYPE_LIST);

        FakeDesktop& desktop = harness_->Desktop();
        desktop.started.clear();
        Command(IDM_TOOL_REG_QUERY);
        ASSERT_EQ(desktop.started.size(), 1u) << place.text;
        // The command line carries the path encoded for cmd.exe: its parts stand whole.
        EXPECT_NE(desktop.started[0].commandLine.find(place.registryPath), std::wstring::npos)
            << desktop.started[0].commandLine;
    }

    // A key name typed into the box is looked up in the selected row's place.
    List().SetCurrentCell(RowOf(L"VorlenThreePlaces", L"HKCU"), 1);
    Window().Info().SetBoxText(0, L"VorlenThreePlaces");
    Command(IDM_VIEW_TYPE_DETAIL);
    EXPECT_EQ(DetailValue(L"Publisher"), L"Vorlen Three Places User Publisher");
}

TEST_F(MainWindowPlaces, OnlyACommandStoredAsExpandableHasItsVariablesExpanded) {
    TestRegistryKey plain(HKEY_CURRENT_USER, std::wstring(kUninstallKeyPath) + L"VorlenTest.PlainPercent");
    plain.SetString(L"DisplayName", L"Plain string with a percent sign");
    plain.SetString(L"UninstallString", L"C:\\Plain\\%windir%\\uninst.exe");
    Start();
    ASSERT_TRUE(harness_->Created());
    FakeDesktop& desktop = harness_->Desktop();

    List().SetCurrentCell(RowOf(L"VorlenTest.PlainPercent", L"HKCU"), 1);
    desktop.answers = {IDYES};
    Command(IDM_ENTRY_RUN);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].commandLine, L"C:\\Plain\\%windir%\\uninst.exe") << "a REG_SZ runs as stored";

    // A command the user typed runs as typed, even over an expandable one.
    List().SetCurrentCell(RowOf(L"VorlenExpand", L"HKLM"), 1);
    Window().Info().SetBoxText(2, L"%windir%\\typed.exe");
    desktop.answers = {IDYES};
    Command(IDM_ENTRY_RUN);
    ASSERT_EQ(desktop.started.size(), 2u);
    EXPECT_EQ(desktop.started[1].commandLine, L"%windir%\\typed.exe");
}
