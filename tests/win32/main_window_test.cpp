// The main window created in this process on the test prefix and driven through its
// controls' messages, menu commands and shortcut keys, with message boxes
// answered and started programs recorded by the fake desktop.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "grid/grid_model.h"
#include "main_window_harness.h"
#include "resources/dialog_ids.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "window/entry_actions.h"

using namespace vorlen;

namespace {

// Works a modal dialog of the main window from a timer of its modal loop.
std::function<void(HWND)> dialogScript;
std::wstring dialogTitle;

void CALLBACK RunDialogScript(HWND owner, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindWindowW(L"#32770", dialogTitle.c_str());
    if (!dialog) return;
    KillTimer(owner, timer);
    dialogScript(dialog);
}

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() : folder_(L"vorlen-main-window"), harness_(folder_.Path()) {}

    MainWindow& Window() { return harness_.Window(); }
    GridModel& List() { return Window().ListGrid(); }
    GridModel& Detail() { return Window().DetailGrid(); }
    InfoPanel& Info() { return Window().Info(); }
    FakeDesktop& Desktop() { return harness_.Desktop(); }

    int RowOf(const std::wstring& key) { return harness_.RowOf(key); }
    void Select(const std::wstring& key, int col = 1) { List().SetCurrentCell(RowOf(key), col); }
    void Click(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        MainWindowHarness::PumpMessages();
    }
    void Command(UINT id) { SendMessageW(harness_.Hwnd(), WM_COMMAND, id, 0); }
    void ToolbarClick(UINT command) {
        SendMessageW(harness_.Hwnd(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Window().Toolbar().Hwnd()));
    }
    void OpenMenu(int index) {
        const HMENU menu = GetSubMenu(Window().Menu().Bar(), index);
        SendMessageW(harness_.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(index, FALSE));
    }
    // A key pressed in the window, with Ctrl held or not; true when used as a shortcut.
    bool Key(UINT key, bool control) {
        BYTE state[256] = {};
        if (control) state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        MSG message{Window().ListGridView().Hwnd(), WM_KEYDOWN, key, 0};
        const bool used = Window().PreTranslateMessage(message);
        BYTE released[256] = {};
        SetKeyboardState(released);
        return used;
    }
    void Focus(HWND control) {
        SetFocus(control);
        MainWindowHarness::PumpMessages();
    }
    void WhileDialogOpen(const std::wstring& title, std::function<void(HWND)> script, UINT command) {
        dialogTitle = title;
        dialogScript = std::move(script);
        SetTimer(harness_.Hwnd(), 1, 50, RunDialogScript);
        Command(command);
    }
    std::wstring StatusPanel() {
        wchar_t text[256] = {};
        SendMessageW(Window().StatusBar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }

    TempFolder folder_;
    MainWindowHarness harness_;
};

}  // namespace

TEST_F(MainWindowTest, SelectingARowFillsTheBoxesAndSetsRunAndStepCommands) {
    ASSERT_TRUE(harness_.Created());
    MainWindowHarness::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(Window().ListGridView().Hwnd()));
    EXPECT_FALSE(IsWindowVisible(Window().DetailGridView().Hwnd())) << "the detail grid waits hidden";
    Select(L"Vorlen Sample");
    EXPECT_EQ(Info().BoxText(0), L"Vorlen Sample");
    EXPECT_EQ(Info().BoxText(1), L"ヴォルレン サンプル 1.0");
    EXPECT_EQ(Info().BoxText(2), L"\"C:\\Program Files\\Vorlen Sample\\uninst.exe\" /lang=ja");
    EXPECT_TRUE(Info().RunEnabled());
    EXPECT_TRUE(IsWindowEnabled(Info().RunButton()));

    List().SetCurrentCell(1, 2);
    EXPECT_FALSE(Window().Toolbar().Enabled(IDM_VIEW_UP));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_VIEW_UP));
    EXPECT_TRUE(Window().Toolbar().Enabled(IDM_VIEW_DOWN));
    List().SetCurrentCell(List().Rows() - 1, 1);
    EXPECT_TRUE(Window().Menu().Enabled(IDM_VIEW_UP));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_VIEW_DOWN));

    // A row hidden by a filter leaves the boxes as they were.
    const std::wstring before = Info().BoxText(0);
    List().SetRowHeight(2, 0);
    List().SetCurrentCell(2, 1);
    EXPECT_EQ(Info().BoxText(0), before);
}

TEST_F(MainWindowTest, DetailViewShowsEveryValueAndLocksTheListModeControls) {
    ASSERT_TRUE(harness_.Created());
    Select(L"ValueTypes");
    Click(Info().DetailButton());
    EXPECT_EQ(Window().View(), ViewMode::Detail);
    EXPECT_EQ(Info().DetailCaption(), L"一覧");
    EXPECT_FALSE(List().Enabled());
    EXPECT_TRUE(Info().Locked());
    EXPECT_FALSE(Info().TogglesEnabled());
    EXPECT_FALSE(Window().Toolbar().Enabled(IDM_SORT_KEY_UP));
    EXPECT_FALSE(Window().Toolbar().Enabled(IDM_VIEW_WUAU));
    EXPECT_TRUE(Window().Menu().Checked(IDM_VIEW_TYPE_DETAIL));
    EXPECT_FALSE(Window().Menu().SortMenuEnabled());

    std::map<std::wstring, std::pair<std::wstring, std::wstring>> values;
    for (int row = 1; row < Detail().Rows(); ++row) {
        EXPECT_EQ(Detail().Text(row, 0), std::to_wstring(row));
        values[std::wstring(Detail().Text(row, 1))] = {std::wstring(Detail().Text(row, 2)),
                                                       std::wstring(Detail().Text(row, 3))};
    }
    EXPECT_EQ(values[L"(標準)"], std::make_pair(std::wstring(L"REG_SZ"), std::wstring(L"既定の値")));
    EXPECT_EQ(values[L"TypeDword"].second, L"0000000A");
    EXPECT_EQ(values[L"TypeBinary"].second, L"01 00 FF ");
    EXPECT_EQ(values[L"TypeBinaryEmpty"].second, L"");
    EXPECT_EQ(values[L"TypeMultiString"].second, L"a b ");
    EXPECT_EQ(values[L"TypeQword"],
              std::make_pair(std::wstring(L"Other Type"), std::wstring(L"01 02 03 04 05 06 07 08 ")));
    EXPECT_EQ(values[L"UninstallString"],
              std::make_pair(std::wstring(L"REG_EXPAND_SZ"), std::wstring(L"%ProgramFiles%\\Value Types\\uninst.exe")));
    EXPECT_EQ(Detail().Row(), Detail().Rows() - 1) << "the last value's data cell is current";
    EXPECT_EQ(Detail().Col(), 3);

    // The detail grid is what the user sees and clicks where both grids lie.
    RECT area{};
    GetWindowRect(Window().DetailGridView().Hwnd(), &area);
    POINT middle{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ScreenToClient(harness_.Hwnd(), &middle);
    EXPECT_EQ(ChildWindowFromPointEx(harness_.Hwnd(), middle, CWP_SKIPINVISIBLE), Window().DetailGridView().Hwnd());

    // Stepping in the detail view keeps the keyboard in the detail grid.
    Focus(Window().DetailGridView().Hwnd());
    Key('U', true);
    EXPECT_EQ(GetFocus(), Window().DetailGridView().Hwnd());
    Key('D', true);
    EXPECT_EQ(GetFocus(), Window().DetailGridView().Hwnd());

    Click(Info().DetailButton());
    EXPECT_EQ(Window().View(), ViewMode::List);
    EXPECT_EQ(Info().DetailCaption(), L"詳細...");
    EXPECT_TRUE(List().Enabled());
    EXPECT_FALSE(Info().Locked());
    EXPECT_TRUE(Window().Toolbar().Enabled(IDM_SORT_KEY_UP));
    EXPECT_TRUE(Window().Menu().Checked(IDM_VIEW_TYPE_LIST));
    EXPECT_EQ(Info().BoxText(0), L"ValueTypes") << "the selection survives the round trip";
}

TEST_F(MainWindowTest, WebAddressesAndExistingFilesAreBlueInTheDetail) {
    ASSERT_TRUE(harness_.Created());
    Select(L"Vorlen Sample");
    Command(IDM_VIEW_TYPE_DETAIL);
    ASSERT_EQ(Window().View(), ViewMode::Detail);
    for (int row = 1; row < Detail().Rows(); ++row) {
        const std::wstring name(Detail().Text(row, 1));
        const Colour colour = Detail().CellForeColour(row, 3);
        if (name == L"URLInfoAbout" || name == L"HelpLink" || name == L"DisplayIcon")
            EXPECT_EQ(colour, kColourBlue) << name;
        if (name == L"UninstallString" || name == L"DisplayName") EXPECT_EQ(colour, kSystemWindowText) << name;
    }
    Command(IDM_VIEW_TYPE_DETAIL);  // already checked: nothing changes
    EXPECT_EQ(Window().View(), ViewMode::Detail);
    Command(IDM_VIEW_TYPE_LIST);
    EXPECT_EQ(Window().View(), ViewMode::List);
}

TEST_F(MainWindowTest, FilterTogglesHideNonMatchingRowsOneFilterAtATime) {
    ASSERT_TRUE(harness_.Created());
    const int all = List().Rows() - 1;
    Info().SetBoxText(1, L"Vorlen");
    Click(Info().Toggle(1));
    EXPECT_EQ(Info().ToggleValue(1), 1);
    int shown = 0;
    for (int row = 1; row < List().Rows(); ++row) {
        const bool match = List().Text(row, 2).find(L"Vorlen") != std::wstring::npos;
        EXPECT_EQ(List().RowHeight(row) != 0, match) << std::wstring(List().Text(row, 2));
        shown += match;
    }
    EXPECT_EQ(Window().StatusText(), std::to_wstring(shown) + L" 件のデータが見つかりました。");
    EXPECT_EQ(StatusPanel(), Window().StatusText());
    EXPECT_EQ(List().FixedForeColour(), kColourBlue);
    EXPECT_FALSE(Window().Toolbar().Enabled(IDM_VIEW_WUAU));

    // Another toggle releases the first and filters by its own box alone.
    Info().SetBoxText(0, L"NoSuchKeyAnywhere");
    Click(Info().Toggle(0));
    EXPECT_EQ(Info().ToggleValue(1), 0);
    EXPECT_EQ(Info().ToggleValue(0), 1);
    EXPECT_EQ(Window().StatusText(), L"0 件のデータが見つかりました。");

    Click(Info().Toggle(0));
    EXPECT_EQ(Window().StatusText(), L"");
    EXPECT_EQ(List().FixedForeColour(), kSystemButtonText);
    EXPECT_TRUE(Window().Toolbar().Enabled(IDM_VIEW_WUAU));
    for (int row = 1; row <= all; ++row) EXPECT_NE(List().RowHeight(row), 0);
}

TEST_F(MainWindowTest, SortCommandsFromMenuAndToolbarRenumberTheRows) {
    ASSERT_TRUE(harness_.Created());
    Command(IDM_SORT_KEY_DOWN);
    EXPECT_EQ(List().Col(), 1);
    for (int row = 1; row < List().Rows(); ++row) EXPECT_EQ(List().Text(row, 0), std::to_wstring(row));
    const std::wstring firstDescending(List().Text(1, 1));
    ToolbarClick(IDM_SORT_KEY_UP);
    EXPECT_EQ(List().Text(List().Rows() - 1, 1), firstDescending);
    ToolbarClick(IDM_SORT_EXE_UP);
    EXPECT_EQ(List().Col(), 3);
}

TEST_F(MainWindowTest, ShortcutsStepThroughTheListAndFollowTheMenuState) {
    ASSERT_TRUE(harness_.Created());
    List().SetCurrentCell(2, 1);
    EXPECT_TRUE(Key('D', true));
    EXPECT_EQ(List().Row(), 3);
    EXPECT_TRUE(Key('U', true));
    EXPECT_EQ(List().Row(), 2);
    Key('U', false);
    EXPECT_EQ(List().Row(), 2) << "plain U is no shortcut";

    // In detail mode the detail follows each step.
    Command(IDM_VIEW_TYPE_DETAIL);
    const std::wstring shown(Detail().Rows() > 1 ? Detail().Text(1, 3) : L"");
    Key('D', true);
    EXPECT_EQ(List().Row(), 3);
    EXPECT_EQ(Info().BoxText(0), List().Text(3, 1));
    EXPECT_EQ(Window().View(), ViewMode::Detail);

    // F5 in detail mode returns to the list, sorted by program name.
    EXPECT_TRUE(Key(VK_F5, false));
    EXPECT_EQ(Window().View(), ViewMode::List);
    EXPECT_EQ(List().Col(), 2);
}

TEST_F(MainWindowTest, UninstallAsksFirstAndStartsTheBoxTextWithVariablesExpanded) {
    ASSERT_TRUE(harness_.Created());
    Select(L"VorlenExpand");
    Desktop().answers = {IDNO};
    Click(Info().RunButton());
    ASSERT_EQ(Desktop().messages.size(), 1u);
    EXPECT_EQ(Desktop().messages[0].text, L"本当にこのプログラムのアンインストールを始めてもよろしいですか？");
    EXPECT_EQ(Desktop().messages[0].caption, L"Kestrin");
    EXPECT_EQ(Desktop().messages[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_TRUE(Desktop().started.empty());

    Desktop().answers = {IDYES};
    Click(Info().RunButton());
    ASSERT_EQ(Desktop().started.size(), 1u);
    wchar_t programFiles[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ProgramFiles", programFiles, MAX_PATH);
    EXPECT_EQ(Desktop().started[0].commandLine, std::wstring(programFiles) + L"\\VorlenExpand\\uninst.exe");
    EXPECT_EQ(Desktop().started[0].showCommand, SW_SHOWNORMAL);
    EXPECT_EQ(Info().BoxText(2), L"%ProgramFiles%\\VorlenExpand\\uninst.exe") << "the box keeps the stored text";

    // An edited command runs as edited; one that cannot start is reported.
    Info().SetBoxText(2, L"C:\\no\\such\\uninstaller.exe /S");
    Desktop().answers = {IDYES};
    Desktop().failStarts = true;
    Click(Info().RunButton());
    ASSERT_EQ(Desktop().messages.size(), 4u);  // two questions before, this one's question, its error
    EXPECT_EQ(Desktop().messages[3].caption, L"アンインストール実行エラー");
    EXPECT_EQ(Desktop().messages[3].text, L"実行時エラー'2'\r\n\r\n指定されたファイルが見つかりません。");
    EXPECT_EQ(Desktop().messages[3].style, static_cast<UINT>(MB_OK | MB_ICONERROR));

    // With the box emptied after the selection, Yes does nothing and says nothing.
    Desktop().failStarts = false;
    Info().SetBoxText(2, L"");
    Desktop().answers = {IDYES};
    Click(Info().RunButton());
    EXPECT_EQ(Desktop().messages.size(), 5u) << "the question alone";
    EXPECT_EQ(Desktop().started.size(), 1u);
}

TEST_F(MainWindowTest, OpenFolderAndAddressFollowTheFocusedText) {
    ASSERT_TRUE(harness_.Created());
    Select(L"Vorlen Sample");
    Focus(Info().Box(2));
    EXPECT_TRUE(CanOpenFolder(Window().Parts()));
    EXPECT_FALSE(CanOpenWebAddress(Window().Parts()));
    OpenMenu(MainMenu::kFile);
    EXPECT_TRUE(Window().Menu().Enabled(IDM_FILE_EXPLORER));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_FILE_URL));
    Command(IDM_FILE_EXPLORER);
    ASSERT_EQ(Desktop().started.size(), 1u);
    EXPECT_EQ(Desktop().started[0].commandLine, L"explorer C:\\Program Files\\Vorlen Sample");

    // A web address opens exactly as written, capitals in its path kept.
    Info().SetBoxText(1, L"HTTPS://www.example.com/Vorlen/Sample/About.HTML");
    Focus(Info().Box(1));
    OpenMenu(MainMenu::kFile);
    EXPECT_TRUE(Window().Menu().Enabled(IDM_FILE_URL));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_FILE_EXPLORER));
    Command(IDM_FILE_URL);
    ASSERT_EQ(Desktop().opened.size(), 1u);
    EXPECT_EQ(Desktop().opened[0], L"HTTPS://www.example.com/Vorlen/Sample/About.HTML");

    // A button has no text: both items go grey, and Ctrl+W then does nothing.
    Focus(Info().DetailButton());
    OpenMenu(MainMenu::kFile);
    EXPECT_FALSE(Window().Menu().Enabled(IDM_FILE_EXPLORER));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_FILE_URL));
    Focus(Info().Box(1));
    EXPECT_TRUE(Key('W', true));
    EXPECT_EQ(Desktop().opened.size(), 1u) << "the state of the menu's last opening holds";
}

TEST_F(MainWindowTest, CopyCutAndPasteFollowTheFocusedControl) {
    ASSERT_TRUE(harness_.Created());
    Focus(Window().ListGridView().Hwnd());
    List().SetCurrentCell(1, 1);
    List().SetSelectionEnd(2, 2);
    Command(IDM_EDIT_COPY);
    EXPECT_EQ(Desktop().clipboard, std::wstring(List().Text(1, 1)) + L"\t" + std::wstring(List().Text(1, 2)) + L"\r\n" +
                                       std::wstring(List().Text(2, 1)) + L"\t" + std::wstring(List().Text(2, 2)) +
                                       L"\r\n");
    OpenMenu(MainMenu::kEdit);
    EXPECT_FALSE(Window().Menu().Enabled(IDM_EDIT_CUT));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_EDIT_PASTE));

    Info().SetBoxText(1, L"abcdef");
    Focus(Info().Box(1));
    SendMessageW(Info().Box(1), EM_SETSEL, 1, 3);
    OpenMenu(MainMenu::kEdit);
    EXPECT_TRUE(Window().Menu().Enabled(IDM_EDIT_CUT));
    Command(IDM_EDIT_CUT);
    EXPECT_EQ(Desktop().clipboard, L"bc");
    EXPECT_EQ(Info().BoxText(1), L"adef");
    Desktop().clipboard = L"XY";
    Command(IDM_EDIT_PASTE);
    EXPECT_EQ(Info().BoxText(1), L"aXYdef");

    Focus(Info().DetailButton());
    Command(IDM_EDIT_COPY);
    EXPECT_EQ(Desktop().clipboard, L"") << "a button has no text to copy";
}

TEST_F(MainWindowTest, LockedBoxesInDetailModeRefuseCutAndPaste) {
    ASSERT_TRUE(harness_.Created());
    Select(L"Vorlen Sample");
    Command(IDM_VIEW_TYPE_DETAIL);
    Focus(Info().Box(0));
    OpenMenu(MainMenu::kEdit);
    EXPECT_FALSE(Window().Menu().Enabled(IDM_EDIT_CUT));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_EDIT_PASTE));
    Desktop().clipboard = L"pasted";
    Window().RunCommand(IDM_EDIT_PASTE);
    EXPECT_EQ(Info().BoxText(0), L"Vorlen Sample");
    SendMessageW(Info().Box(0), EM_SETSEL, 0, 6);
    Command(IDM_EDIT_COPY);
    EXPECT_EQ(Desktop().clipboard, L"Vorlen") << "copy from a locked box still copies its selection";
}

TEST_F(MainWindowTest, TheLayoutFollowsTheWindowAndKeepsUserColumnWidths) {
    ASSERT_TRUE(harness_.Created());
    if (GetDpiForWindow(harness_.Hwnd()) != USER_DEFAULT_SCREEN_DPI) GTEST_SKIP() << "the display is not at 96 DPI";
    RECT rect{};
    GetWindowRect(Info().RunButton(), &rect);
    MapWindowPoints(nullptr, harness_.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, (60 + 8385) / 15) << "the run button at 8385 twips in the frame";
    GetWindowRect(Info().Toggle(0), &rect);
    MapWindowPoints(nullptr, harness_.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, (60 + 7890) / 15);
    GetWindowRect(Info().Box(0), &rect);
    EXPECT_EQ(rect.right - rect.left, 5610 / 15);

    List().SetColWidth(2, 3000);
    RECT window{};
    GetWindowRect(harness_.Hwnd(), &window);
    SetWindowPos(harness_.Hwnd(), nullptr, 0, 0, window.right - window.left + 150, window.bottom - window.top + 60,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(List().ColWidth(2), 3000);
    GetWindowRect(Info().RunButton(), &rect);
    MapWindowPoints(nullptr, harness_.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, (60 + 8385) / 15 + 150);
    GetWindowRect(Window().DetailGridView().Hwnd(), &rect);
    RECT listRect{};
    GetWindowRect(Window().ListGridView().Hwnd(), &listRect);
    EXPECT_EQ(rect.right - rect.left, listRect.right - listRect.left);
    EXPECT_EQ(rect.bottom - rect.top, listRect.bottom - listRect.top);

    ShowWindow(harness_.Hwnd(), SW_MINIMIZE);
    ShowWindow(harness_.Hwnd(), SW_RESTORE);
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(List().ColWidth(2), 3000);
}

TEST_F(MainWindowTest, TheMenuBarHoldsEveryCommandWithItsCaption) {
    ASSERT_TRUE(harness_.Created());
    const HMENU bar = Window().Menu().Bar();
    ASSERT_EQ(GetMenuItemCount(bar), 6);
    const wchar_t* tops[] = {L"ファイル(&F)", L"編集(&E)", L"表示(&V)", L"ソート(&S)", L"ツール(&T)", L"ヘルプ(&H)"};
    for (int i = 0; i < 6; ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(bar, i, text, 64, MF_BYPOSITION);
        EXPECT_STREQ(text, tops[i]);
    }
    EXPECT_EQ(Window().Menu().Caption(IDM_VIEW_REFRESH), L"最新の情報に更新(&R)\tF5");
    EXPECT_EQ(Window().Menu().Caption(IDM_TOOL_APPWIZ), L"プログラムの追加と削除(&P)...");
    EXPECT_EQ(Window().Toolbar().Tooltip(IDM_TOOL_APPWIZ), L"プログラムの追加と削除(&P)...");
    EXPECT_EQ(Window().Toolbar().Tooltip(IDM_VIEW_WUAU), L"Windows の Hotfix のみを表示");
    EXPECT_TRUE(Window().Menu().Checked(IDM_VIEW_TYPE_LIST));
}

TEST_F(MainWindowTest, ToolAndHelpCommandsStartWindowsOwnPrograms) {
    ASSERT_TRUE(harness_.Created());
    Command(IDM_TOOL_REGEDIT);
    Command(IDM_TOOL_APPWIZ);
    Command(IDM_HELP_REGSVR32);
    Command(IDM_HELP_MSIEXEC);
    ToolbarClick(IDM_TOOL_REGEDIT);
    ToolbarClick(IDM_TOOL_APPWIZ);
    ASSERT_EQ(Desktop().started.size(), 6u);
    const wchar_t* expected[] = {L"regedit.exe", L"control appwiz.cpl", L"regsvr32",
                                 L"msiexec",     L"regedit.exe",        L"control appwiz.cpl"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Desktop().started[i].commandLine, expected[i]);
        EXPECT_EQ(Desktop().started[i].showCommand, SW_SHOWNORMAL);
    }

    // The help topic command presses F1; F1 opens the help file beside the program.
    Command(IDM_HELP_HELP);
    EXPECT_EQ(Desktop().keysSent, std::vector<UINT>{VK_F1});
    EXPECT_TRUE(Key(VK_F1, false));
    ASSERT_EQ(Desktop().started.size(), 7u);
    EXPECT_EQ(Desktop().started[6].commandLine, L"hh.exe \"" + folder_.Path() + L"\\VorlenHelp.chm\"");
}

TEST_F(MainWindowTest, HotfixOnlyModeFromMenuAndToolbarMirrorEachOther) {
    ASSERT_TRUE(harness_.Created());
    const int normalRows = List().Rows();
    Command(IDM_VIEW_WUAU);
    EXPECT_TRUE(Window().Menu().Checked(IDM_VIEW_WUAU));
    EXPECT_TRUE(Window().Toolbar().Checked(IDM_VIEW_WUAU));
    EXPECT_EQ(List().Rows(), 11) << "the nine Windows XP hotfixes and the one in the 32-bit view";
    Command(IDM_VIEW_WUAU);
    EXPECT_FALSE(Window().Menu().Checked(IDM_VIEW_WUAU));
    EXPECT_FALSE(Window().Toolbar().Checked(IDM_VIEW_WUAU));
    EXPECT_EQ(List().Rows(), normalRows);

    // The button toggles itself on the click, then the list and the check mark follow.
    SendMessageW(Window().Toolbar().Hwnd(), TB_CHECKBUTTON, IDM_VIEW_WUAU, TRUE);
    ToolbarClick(IDM_VIEW_WUAU);
    EXPECT_TRUE(Window().Toolbar().Checked(IDM_VIEW_WUAU));
    EXPECT_TRUE(Window().Menu().Checked(IDM_VIEW_WUAU));
    EXPECT_EQ(List().Rows(), 11);
    ToolbarClick(IDM_VIEW_WUAU);
    EXPECT_FALSE(Window().Menu().Checked(IDM_VIEW_WUAU));
    EXPECT_EQ(List().Rows(), normalRows);
}

TEST_F(MainWindowTest, ExportWritesTheShownGridAndOffersToOpenTheFile) {
    ASSERT_TRUE(harness_.Created());
    Command(IDM_FILE_EXPORT);  // cancelled: nothing happens
    ASSERT_EQ(Desktop().saveDialogs.size(), 1u);
    EXPECT_EQ(Desktop().saveDialogs[0].filter, std::wstring(L"カンマ区切りテキストファイル(*.csv)") + L'\0' + L"*.csv");
    EXPECT_EQ(Desktop().saveDialogs[0].defaultExtension, L".csv");
    EXPECT_EQ(Desktop().saveDialogs[0].initialFolder, Desktop().desktopFolder);
    EXPECT_TRUE(Desktop().messages.empty());

    const std::wstring path = folder_.File(L"list.csv");
    Desktop().savePaths = {path};
    Desktop().answers = {IDNO};
    Command(IDM_FILE_EXPORT);
    const std::string bytes = TempFolder::ReadBytes(path);
    ASSERT_FALSE(bytes.empty());
    int lines = 0;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, List().Rows()) << "the heading line and one line per row";
    ASSERT_EQ(Desktop().messages.size(), 1u);
    EXPECT_EQ(Desktop().messages[0].text, L"テーブルの内容をエクスポートしました。\r\nファイルを表示しますか？");
    EXPECT_EQ(Desktop().messages[0].caption, L"Vorlen [Windows XP Professional Edition]");
    EXPECT_EQ(Desktop().messages[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(Desktop().opened.empty());

    // In the detail view the detail is exported; Yes opens the file.
    Select(L"Vorlen Sample");
    Command(IDM_VIEW_TYPE_DETAIL);
    const std::wstring detailPath = folder_.File(L"detail.csv");
    Desktop().savePaths = {detailPath};
    Desktop().answers = {IDYES};
    Command(IDM_FILE_EXPORT);
    EXPECT_EQ(TempFolder::ReadBytes(detailPath)
                  .rfind("\x96\xbc\x91\x4f,\"\x8e\xed\x97\xde\",\"\x83\x66\x81\x5b\x83\x5e\"\r\n", 0),
              0u)
        << "名前, 種類, データ in code page 932";
    ASSERT_EQ(Desktop().opened.size(), 1u);
    EXPECT_EQ(Desktop().opened[0], detailPath);
}

TEST_F(MainWindowTest, AnExportThatCannotBeWrittenIsReportedAndChangesNothing) {
    ASSERT_TRUE(harness_.Created());
    Desktop().savePaths = {L"Q:\\no-such-drive\\list.csv"};
    Command(IDM_FILE_EXPORT);
    ASSERT_EQ(Desktop().messages.size(), 1u);
    EXPECT_EQ(Desktop().messages[0].caption, L"エクスポートエラー");
    EXPECT_EQ(Desktop().messages[0].text.rfind(L"実行時エラー'", 0), 0u);
    EXPECT_EQ(Desktop().messages[0].style, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

TEST_F(MainWindowTest, RegCommandsAddressTheKeyInTheFirstBox) {
    ASSERT_TRUE(harness_.Created());
    Select(L"Vorlen Sample");
    Command(IDM_TOOL_REG_QUERY);
    ASSERT_EQ(Desktop().started.size(), 1u);
    EXPECT_EQ(Desktop().started[0].commandLine.rfind(L"cmd.exe /K REG QUERY ", 0), 0u)
        << Desktop().started[0].commandLine;
    EXPECT_NE(Desktop().started[0].commandLine.find(L"Uninstall\\Vorlen Sample"), std::wstring::npos);
    EXPECT_EQ(Desktop().started[0].showCommand, SW_SHOWNORMAL);

    Command(IDM_TOOL_REG_EXPORT);  // cancelled
    EXPECT_TRUE(Desktop().waitedFor.empty());
    ASSERT_EQ(Desktop().saveDialogs.size(), 1u);
    EXPECT_EQ(Desktop().saveDialogs[0].filter, std::wstring(L"登録エントリ(*.reg)") + L'\0' + L"*.reg");
    EXPECT_EQ(Desktop().saveDialogs[0].defaultExtension, L".reg");

    Desktop().savePaths = {L"C:\\users\\Public\\Desktop\\sample key.reg"};
    Command(IDM_TOOL_REG_EXPORT);
    ASSERT_EQ(Desktop().waitedFor.size(), 1u);
    const std::wstring& exportLine = Desktop().waitedFor[0].commandLine;
    EXPECT_EQ(exportLine.rfind(L"cmd.exe /C REG EXPORT ", 0), 0u) << exportLine;
    EXPECT_NE(exportLine.find(L"C:\\users\\Public\\Desktop\\sample key.reg"), std::wstring::npos) << exportLine;
    EXPECT_NE(exportLine.find(L" /y"), std::wstring::npos) << "the dialog asked already: REG may overwrite";
    EXPECT_EQ(Desktop().waitedFor[0].showCommand, SW_HIDE);
    ASSERT_EQ(Desktop().started.size(), 2u);
    EXPECT_EQ(Desktop().started[1].commandLine, L"explorer C:\\users\\Public\\Desktop\\");

    // A program that cannot start is reported under the command's caption.
    Desktop().failStarts = true;
    Command(IDM_TOOL_REG_QUERY);
    ASSERT_FALSE(Desktop().messages.empty());
    EXPECT_EQ(Desktop().messages.back().caption, L"REG コマンド実行中エラー");
}

TEST_F(MainWindowTest, SettingsDialogSavesTheRulesAndRebuildsTheList) {
    ASSERT_TRUE(harness_.Created());
    const int defaultRows = List().Rows();
    Command(IDM_VIEW_TYPE_DETAIL);
    WhileDialogOpen(
        L"表示設定",
        [](HWND dialog) {
            EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_SETTINGS_DISPLAY_NAME, BM_GETCHECK, 0, 0), BST_CHECKED);
            SendDlgItemMessageW(dialog, IDC_SETTINGS_DISPLAY_NAME, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDC_SETTINGS_UNINSTALL_STRING, BM_CLICK, 0, 0);
            SendDlgItemMessageW(dialog, IDC_SETTINGS_NO_HOTFIX, BM_CLICK, 0, 0);
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        IDM_VIEW_SETTINGS);
    EXPECT_TRUE(Window().Program().settingsChanged);
    EXPECT_EQ(Window().Program().settings.displayName, 0);
    EXPECT_EQ(Window().View(), ViewMode::List) << "the refresh returns to the list";
    EXPECT_GT(List().Rows(), defaultRows) << "entries without name or command and the hotfixes are listed now";
    const std::string file = TempFolder::ReadBytes(folder_.File(L"Kestrin.ini"));
    EXPECT_NE(file.find("DisplayName=0"), std::string::npos) << file;
    EXPECT_NE(file.find("UninstallString=0"), std::string::npos) << file;
    EXPECT_NE(file.find("NoHotfix=0"), std::string::npos) << file;
    EXPECT_TRUE(Desktop().messages.empty());

    // Cancel changes nothing and rebuilds nothing.
    const int rows = List().Rows();
    WhileDialogOpen(
        L"表示設定",
        [](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_SETTINGS_DISPLAY_NAME, BM_CLICK, 0, 0);
            SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        },
        IDM_VIEW_SETTINGS);
    EXPECT_FALSE(Window().Program().settingsChanged);
    EXPECT_EQ(Window().Program().settings.displayName, 0);
    EXPECT_EQ(List().Rows(), rows);
}

TEST(MainWindowSettings, ASettingsFileThatCannotBeWrittenIsSaidAndTheValuesStillApply) {
    MainWindowHarness harness(L"Q:\\no-such-drive\\folder");
    ASSERT_TRUE(harness.Created());
    const int defaultRows = harness.Window().ListGrid().Rows();
    dialogTitle = L"表示設定";
    dialogScript = [](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_SETTINGS_NO_HOTFIX, BM_CLICK, 0, 0);
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
    SetTimer(harness.Hwnd(), 1, 50, RunDialogScript);
    harness.Window().RunCommand(IDM_VIEW_SETTINGS);
    EXPECT_EQ(harness.Window().Program().settings.noHotfix, 0);
    EXPECT_EQ(harness.Window().ListGrid().Rows(), defaultRows + 10) << "the ten XP hotfixes join the list";
    ASSERT_EQ(harness.Desktop().messages.size(), 1u);
    EXPECT_EQ(harness.Desktop().messages[0].text.rfind(L"表示設定を保存できませんでした。", 0), 0u);
    EXPECT_NE(harness.Desktop().messages[0].text.find(L"Kestrin.ini"), std::wstring::npos);
}

TEST_F(MainWindowTest, VersionDialogShowsTheVersionRecord) {
    ASSERT_TRUE(harness_.Created());
    std::wstring version;
    WhileDialogOpen(
        L"Kestrinのﾊﾞｰｼﾞｮﾝ情報",
        [&](HWND dialog) {
            wchar_t text[64] = {};
            GetDlgItemTextW(dialog, IDC_ABOUT_VERSION, text, 64);
            version = text;
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        },
        IDM_HELP_VERSION);
    EXPECT_EQ(version, L"ﾊﾞｰｼﾞｮﾝ 1.0.1");
}
