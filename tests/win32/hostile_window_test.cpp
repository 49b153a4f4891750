// The main window on the hostile prefix: network paths it must never look
// up on its own, web addresses that would carry arguments to the browser,
// and NULs inside the texts it shows, copies and runs.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "inventory/uninstall_key.h"
#include "main_window_harness.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "test_registry_key.h"

using namespace vorlen;

namespace {

class HostileWindow : public ::testing::Test {
protected:
    HostileWindow() : folder_(L"vorlen-hostile-window"), harness_(folder_.Path()) {}

    MainWindow& Window() { return harness_.Window(); }
    FakeDesktop& Desktop() { return harness_.Desktop(); }
    GridModel& List() { return Window().ListGrid(); }
    int RowOf(const std::wstring& key) { return harness_.RowOf(key); }
    void SelectDetailValue(const std::wstring& name) {
        GridModel& detail = Window().DetailGrid();
        for (int row = 1; row < detail.Rows(); ++row) {
            if (detail.Text(row, 1) != name) continue;
            detail.SetCurrentCell(row, 3);
            SetFocus(Window().DetailGridView().Hwnd());
            return;
        }
        ADD_FAILURE() << "no value " << name;
    }
    void OpenFileMenu() {
        const HMENU menu = GetSubMenu(Window().Menu().Bar(), MainMenu::kFile);
        SendMessageW(harness_.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(MainMenu::kFile, 0));
    }
    // The right-click menu, closed again from inside its own loop.
    void RightClick(HWND grid) {
        SetTimer(harness_.Hwnd(), 7, 100, [](HWND window, UINT, UINT_PTR timer, DWORD) {
            KillTimer(window, timer);
            EndMenu();
        });
        SendMessageW(grid, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    }
    void ExpectNoNetworkProbe() {
        for (const std::wstring& path : Desktop().probed) {
            const std::wstring start = path.substr(0, 2);
            EXPECT_TRUE(start != L"\\\\" && start != L"//") << "looked up " << path;
        }
    }

    TempFolder folder_;
    MainWindowHarness harness_;
};

}  // namespace

TEST_F(HostileWindow, NetworkPathsAreNeverLookedUpToColourACellOrEnableACommand) {
    ASSERT_TRUE(harness_.Created());
    List().SetCurrentCell(RowOf(L"VorlenHostile.NetworkPaths"), 3);
    SetFocus(Window().Info().Box(2));
    OpenFileMenu();
    EXPECT_FALSE(Window().Menu().Enabled(IDM_FILE_EXPLORER));
    SetFocus(Window().ListGridView().Hwnd());
    RightClick(Window().ListGridView().Hwnd());
    EXPECT_FALSE(Window().Menu().Enabled(IDM_POPUP_EXPLORER));

    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_VIEW_TYPE_DETAIL, 0);
    for (const wchar_t* value : {L"InstallLocation", L"DisplayIcon", L"UninstallString"}) {
        SelectDetailValue(value);
        OpenFileMenu();
        EXPECT_FALSE(Window().Menu().Enabled(IDM_FILE_EXPLORER)) << value;
    }
    ExpectNoNetworkProbe();
    EXPECT_TRUE(Desktop().started.empty());

    // The user can still copy them.
    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_EDIT_COPY, 0);
    EXPECT_EQ(Desktop().clipboard.rfind(L"\\\\vorlen-unc.invalid\\", 0), 0u) << Desktop().clipboard;
}

TEST_F(HostileWindow, WebAddressesThatCouldAddBrowserArgumentsOrAreTooLongAreRefusedWithAMessage) {
    ASSERT_TRUE(harness_.Created());
    List().SetCurrentCell(RowOf(L"VorlenHostile.Addresses"), 1);
    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_VIEW_TYPE_DETAIL, 0);
    const auto open = [&](const wchar_t* value) {
        SelectDetailValue(value);
        SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_FILE_URL, 0);
        return Desktop().messages.empty() ? std::wstring() : Desktop().messages.back().text;
    };
    EXPECT_EQ(open(L"URLInfoAbout").rfind(L"このアドレスをブラウザで開くことはできません。\r\nアドレスに空白", 0), 0u);
    EXPECT_EQ(open(L"HelpLink").rfind(L"このアドレスをブラウザで開くことはできません。\r\nアドレスに空白", 0), 0u);
    EXPECT_EQ(open(L"Readme").rfind(L"このアドレスをブラウザで開くことはできません。\r\nアドレスが長すぎます", 0), 0u);
    EXPECT_EQ(Desktop().messages.size(), 3u);
    EXPECT_TRUE(Desktop().opened.empty()) << Desktop().opened.front();
}

TEST_F(HostileWindow, ANulInsideATextShowsAsABlankAndTheBoxRunsWhatItShows) {
    // Values as a program can store them: counted, with a NUL inside.
    TestRegistryKey key(HKEY_LOCAL_MACHINE, std::wstring(kUninstallKeyPath) + L"VorlenTest.NulInTexts");
    key.SetBytes(L"DisplayName", REG_SZ, TestRegistryKey::Utf16Bytes(std::wstring(L"Shown\0Hidden", 12), true));
    key.SetBytes(L"UninstallString", REG_SZ,
                 TestRegistryKey::Utf16Bytes(std::wstring(L"C:\\Hostile\\run.exe\0 /quiet", 26), true));
    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_VIEW_REFRESH, 0);
    List().SetCurrentCell(RowOf(L"VorlenTest.NulInTexts"), 1);
    EXPECT_EQ(Window().Info().BoxText(1), L"Shown Hidden");
    EXPECT_EQ(Window().Info().BoxText(2), L"C:\\Hostile\\run.exe  /quiet");

    Desktop().answers = {IDYES};
    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_ENTRY_RUN, 0);
    ASSERT_EQ(Desktop().started.size(), 1u);
    EXPECT_EQ(Desktop().started[0].commandLine, L"C:\\Hostile\\run.exe  /quiet");

    // A copy of the whole list keeps every row after the one with the NUL.
    SetFocus(Window().ListGridView().Hwnd());
    List().SetCurrentCell(1, 1);
    List().SetSelectionEnd(List().Rows() - 1, 3);
    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_EDIT_COPY, 0);
    const std::wstring& copied = Desktop().clipboard;
    EXPECT_EQ(copied.find(L'\0'), std::wstring::npos);
    EXPECT_NE(copied.find(L"Shown Hidden"), std::wstring::npos);
    EXPECT_NE(copied.find(List().Text(List().Rows() - 1, 1)), std::wstring::npos);
}

TEST(HostileWindowNul, AKeyNameHoldingANulShowsNoDecoyAndOffersNoCommandThatWouldOpenOne) {
    // With empty texts the entry is listed only where the rules list such entries.
    TempFolder folder(L"vorlen-hostile-nul-name");
    TempFolder::WriteBytes(folder.File(L"Kestrin.ini"), "[Settings]\r\nDisplayName=0\r\nUninstallString=0\r\n");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    GridModel& list = harness.Window().ListGrid();
    FakeDesktop& desktop = harness.Desktop();
    int row = 0;
    for (int r = 1; r < list.Rows(); ++r)
        if (list.Text(r, 1) == L"VorlenHostile.NulName\\0Hidden") row = r;
    ASSERT_NE(row, 0) << "the NUL shows as \\0";
    EXPECT_EQ(list.Text(row, 2), L"") << "no text of the decoy VorlenHostile.NulName";
    EXPECT_EQ(list.Text(row, 3), L"");
    list.SetCurrentCell(row, 1);

    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_VIEW_TYPE_DETAIL, 0);
    EXPECT_EQ(harness.Window().View(), ViewMode::List) << "the detail view refuses it";
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text.rfind(L"このキー名には NUL 文字が含まれています", 0), 0u);

    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_TOOL_REG_QUERY, 0);
    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_TOOL_REG_EXPORT, 0);
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_TRUE(desktop.saveDialogs.empty()) << "no file is asked for a key no command can name";
    ASSERT_EQ(desktop.messages.size(), 3u);
    EXPECT_EQ(desktop.messages[1].caption, L"REG コマンド実行中エラー");
    EXPECT_EQ(desktop.messages[2].caption, L"REG コマンド実行中エラー");
}
