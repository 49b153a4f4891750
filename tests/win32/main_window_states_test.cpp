// What the main window offers and where it keeps the focus: an empty list,
// the context menu, the toolbar's stepping buttons, double-clicks, shortcuts
// on controls that refuse them, and the focus across activation.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "main_window_harness.h"
#include "resources/resource.h"
#include "temp_folder.h"
#include "window/entry_actions.h"

using namespace vorlen;

namespace {

// A registry whose uninstall keys have no entries.
class EmptyRegistry final : public RegistryReader {
public:
    bool ForEachSubKey(RegistryPlace, const std::wstring&, const SubKeyVisitor&) const override { return true; }
    ValueVisitEnd ForEachValue(RegistryPlace, const std::wstring&, const RegistryValueVisitor&) const override {
        return ValueVisitEnd::NotOpened;
    }
    RegistryWriteTime CurrentTime() const override { return 0; }
};

void Command(MainWindowHarness& harness, UINT command) {
    SendMessageW(harness.Hwnd(), WM_COMMAND, command, 0);
    MainWindowHarness::PumpMessages();
}

void OpenMenu(MainWindowHarness& harness, int index) {
    const HMENU menu = GetSubMenu(harness.Window().Menu().Bar(), index);
    SendMessageW(harness.Hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(index, FALSE));
}

// Every command that needs an entry is out of use, and the boxes are empty.
void ExpectNoEntryOffered(MainWindowHarness& harness) {
    MainWindow& window = harness.Window();
    for (int box = 0; box < 3; ++box) EXPECT_EQ(window.Info().BoxText(box), L"") << "box " << box;
    EXPECT_FALSE(window.Info().RunEnabled());
    EXPECT_FALSE(IsWindowEnabled(window.Info().DetailButton()));
    EXPECT_FALSE(window.Menu().Enabled(IDM_VIEW_TYPE_DETAIL));
    EXPECT_FALSE(window.Menu().Enabled(IDM_TOOL_REG_QUERY));
    EXPECT_FALSE(window.Menu().Enabled(IDM_TOOL_REG_EXPORT));
    EXPECT_FALSE(window.Toolbar().Enabled(IDM_VIEW_UP));
    EXPECT_FALSE(window.Toolbar().Enabled(IDM_VIEW_DOWN));
    SetFocus(window.ListGridView().Hwnd());
    OpenMenu(harness, MainMenu::kFile);
    EXPECT_FALSE(window.Menu().Enabled(IDM_FILE_EXPLORER)) << "a heading is no folder";
    EXPECT_FALSE(window.Menu().Enabled(IDM_FILE_URL));
}

class MainWindowStates : public ::testing::Test {
protected:
    MainWindowStates() : folder_(L"vorlen-main-window-states"), harness_(folder_.Path()) {}

    MainWindow& Window() { return harness_.Window(); }
    GridModel& List() { return Window().ListGrid(); }
    int RowOf(const std::wstring& key) { return harness_.RowOf(key); }

    TempFolder folder_;
    MainWindowHarness harness_;
};

}  // namespace

TEST(MainWindowEmptyList, AnEmptyUninstallKeyShowsNoEntryAndOffersNothingForOne) {
    TempFolder folder(L"vorlen-empty-list");
    const EmptyRegistry registry;
    MainWindowHarness harness(folder.Path(), &registry);
    ASSERT_TRUE(harness.Created());
    ASSERT_EQ(harness.Window().ListGrid().Rows(), 1);
    ExpectNoEntryOffered(harness);

    // A filter on the empty list counts nothing.
    Command(harness, IDM_FILTER_NAME);
    EXPECT_EQ(harness.Window().StatusText(), L"0 件のデータが見つかりました。");
}

TEST(MainWindowEmptyList, TheHotfixOnlyModeWhereNothingIsAHotfixEmptiesTheBoxesAndBack) {
    TempFolder folder(L"vorlen-empty-hotfixes");
    // Windows 7 has no version name here, so no entry is a hotfix.
    MainWindowHarness harness(folder.Path(), nullptr, [] { return std::wstring(); });
    ASSERT_TRUE(harness.Created());
    MainWindow& window = harness.Window();
    const int rows = window.ListGrid().Rows();
    window.ListGrid().SetCurrentCell(2, 1);
    ASSERT_FALSE(window.Info().BoxText(0).empty());

    Command(harness, IDM_VIEW_WUAU);
    EXPECT_EQ(window.ListGrid().Rows(), 1);
    ExpectNoEntryOffered(harness);

    Command(harness, IDM_VIEW_WUAU);
    EXPECT_EQ(window.ListGrid().Rows(), rows);
    EXPECT_TRUE(window.Toolbar().Enabled(IDM_VIEW_DOWN)) << "the next step reaches the first entry";
    Command(harness, IDM_VIEW_DOWN);
    EXPECT_EQ(window.Info().BoxText(0), window.ListGrid().Text(1, 1));
    EXPECT_TRUE(IsWindowEnabled(window.Info().DetailButton()));
}

TEST(MainWindowCaptions, AddRemoveProgramsIsNamedForTheVersionOutsideXp) {
    TempFolder folder(L"vorlen-captions");
    MainWindowHarness harness(folder.Path(), nullptr, [] { return std::wstring(L"Windows 2000"); });
    ASSERT_TRUE(harness.Created());
    EXPECT_EQ(harness.Window().Menu().Caption(IDM_TOOL_APPWIZ), L"アプリケーションの追加と削除(&P)...");
    EXPECT_EQ(harness.Window().Toolbar().Tooltip(IDM_TOOL_APPWIZ), L"アプリケーションの追加と削除(&P)...");
    EXPECT_EQ(harness.WindowText(), L"Vorlen [Windows 2000]");
}

TEST_F(MainWindowStates, TheFocusComesBackToTheControlThatHadItWhenTheWindowIsActivatedAgain) {
    ASSERT_TRUE(harness_.Created());
    const HWND box = Window().Info().Box(1);
    SetActiveWindow(harness_.Hwnd());
    SetFocus(box);
    ASSERT_EQ(GetFocus(), box);

    const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    MainWindowHarness::PumpMessages();
    ASSERT_NE(GetFocus(), box);
    SetActiveWindow(harness_.Hwnd());
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(GetFocus(), box) << "typing goes on where it was";
    DestroyWindow(other);
}

TEST_F(MainWindowStates, ShortcutsForCutAndPasteChangeNothingOnAGridOrALockedBox) {
    ASSERT_TRUE(harness_.Created());
    FakeDesktop& desktop = harness_.Desktop();
    List().SetCurrentCell(RowOf(L"Vorlen Sample"), 1);
    desktop.clipboard = L"pasted";
    const auto key = [&](UINT virtualKey) {
        BYTE state[256] = {};
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
        MSG message{GetFocus(), WM_KEYDOWN, virtualKey, 0};
        Window().PreTranslateMessage(message);
        BYTE released[256] = {};
        SetKeyboardState(released);
        MainWindowHarness::PumpMessages();
    };

    SetFocus(Window().ListGridView().Hwnd());
    key('X');
    key('V');
    EXPECT_EQ(desktop.clipboard, L"pasted");
    for (int box = 0; box < 3; ++box) EXPECT_NE(Window().Info().BoxText(box), L"pasted");

    Command(harness_, IDM_VIEW_TYPE_DETAIL);
    SetFocus(Window().Info().Box(0));
    SendMessageW(Window().Info().Box(0), EM_SETSEL, 0, -1);
    key('X');
    key('V');
    EXPECT_EQ(Window().Info().BoxText(0), L"Vorlen Sample");
    EXPECT_EQ(desktop.clipboard, L"pasted");
}

TEST_F(MainWindowStates, TheToolbarStepsThroughTheListAndRefreshesIt) {
    ASSERT_TRUE(harness_.Created());
    List().SetCurrentCell(2, 1);
    const auto click = [&](UINT command) {
        SendMessageW(harness_.Hwnd(), WM_COMMAND, MAKEWPARAM(command, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Window().Toolbar().Hwnd()));
    };
    click(IDM_VIEW_DOWN);
    EXPECT_EQ(List().Row(), 3);
    EXPECT_EQ(Window().Info().BoxText(0), List().Text(3, 1));
    click(IDM_VIEW_UP);
    click(IDM_VIEW_UP);
    EXPECT_EQ(List().Row(), 1);
    EXPECT_FALSE(Window().Toolbar().Enabled(IDM_VIEW_UP));

    Command(harness_, IDM_SORT_KEY_DOWN);
    Command(harness_, IDM_VIEW_TYPE_DETAIL);
    click(IDM_VIEW_REFRESH);
    EXPECT_EQ(Window().View(), ViewMode::List);
    EXPECT_EQ(List().Col(), 2) << "sorted by program name again";
    EXPECT_TRUE(Window().Toolbar().Enabled(IDM_SORT_KEY_UP));
}

TEST_F(MainWindowStates, TheContextMenuOffersWhatTheFocusedCellNames) {
    ASSERT_TRUE(harness_.Created());
    List().SetCurrentCell(RowOf(L"Vorlen Sample"), 3);  // a command in an existing folder
    SetFocus(Window().ListGridView().Hwnd());
    // The menu is modal: a timer inside its loop closes it again.
    SetTimer(harness_.Hwnd(), 7, 100, [](HWND window, UINT, UINT_PTR timer, DWORD) {
        KillTimer(window, timer);
        EndMenu();
    });
    SendMessageW(Window().ListGridView().Hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(Window().Menu().Enabled(IDM_POPUP_EXPLORER));
    EXPECT_FALSE(Window().Menu().Enabled(IDM_POPUP_URL));
    EXPECT_TRUE(Window().Menu().Enabled(IDM_POPUP_COPY));
    EXPECT_EQ(GetFocus(), Window().ListGridView().Hwnd()) << "a right click leaves the focus where it was";
}

TEST_F(MainWindowStates, ADoubleClickOpensTheFolderOrTheAddressOfTheCell) {
    ASSERT_TRUE(harness_.Created());
    FakeDesktop& desktop = harness_.Desktop();
    List().SetCurrentCell(RowOf(L"Vorlen Sample"), 1);
    Command(harness_, IDM_VIEW_TYPE_DETAIL);
    GridModel& detail = Window().DetailGrid();
    GridView& view = Window().DetailGridView();
    const auto doubleClick = [&](const std::wstring& valueName) {
        for (int row = 1; row < detail.Rows(); ++row) {
            if (detail.Text(row, 1) != valueName) continue;
            detail.SetCurrentCell(row, 3);
            const RECT cell = view.CellRect(row, 3);
            SetFocus(view.Hwnd());
            SendMessageW(view.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.left + 3, cell.top + 3));
            return;
        }
        ADD_FAILURE() << "no value " << valueName;
    };
    doubleClick(L"URLInfoAbout");
    ASSERT_EQ(desktop.opened.size(), 1u);
    EXPECT_EQ(desktop.opened[0], L"https://www.example.jp/Vorlen/Sample/");
    EXPECT_TRUE(desktop.started.empty());

    doubleClick(L"InstallLocation");
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].commandLine, L"explorer C:\\Program Files\\Vorlen Sample");
    EXPECT_EQ(desktop.opened.size(), 1u);

    doubleClick(L"EstimatedSize");
    EXPECT_EQ(desktop.started.size() + desktop.opened.size(), 2u) << "a number opens nothing";
}

TEST_F(MainWindowStates, CommandsWorkDuringTheRegExportWaitAndClosingEndsItStartingNothing) {
    ASSERT_TRUE(harness_.Created());
    FakeDesktop& desktop = harness_.Desktop();
    desktop.pumpWhileWaiting = true;
    List().SetCurrentCell(2, 1);

    // A command that arrives while REG EXPORT runs is handled meanwhile.
    desktop.savePaths = {L"C:\\users\\Public\\Desktop\\one.reg"};
    PostMessageW(harness_.Hwnd(), WM_COMMAND, IDM_VIEW_DOWN, 0);
    Command(harness_, IDM_TOOL_REG_EXPORT);
    EXPECT_EQ(List().Row(), 3);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0].commandLine, L"explorer C:\\users\\Public\\Desktop\\");

    // Closing the window during the wait ends the wait; nothing starts after.
    desktop.savePaths = {L"C:\\users\\Public\\Desktop\\two.reg"};
    PostMessageW(harness_.Hwnd(), WM_CLOSE, 0, 0);
    SendMessageW(harness_.Hwnd(), WM_COMMAND, IDM_TOOL_REG_EXPORT, 0);
    EXPECT_EQ(desktop.waitedFor.size(), 2u);
    EXPECT_EQ(desktop.started.size(), 1u) << "no Explorer for a window that has gone";
    EXPECT_FALSE(IsWindow(harness_.Hwnd()));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is left for the program's loop";
}
