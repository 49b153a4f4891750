// The grids as a screen reader reads them: through the accessible object
// that WM_GETOBJECT hands out, and the WinEvents that follow the current
// cell. Wine cannot hand an accessible object to another process (an outside
// client gets E_NOINTERFACE even for stock windows), so the client here is
// this process, on the thread that owns the windows.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/grid_view.h"
#include "grid/grid_model.h"
#include "main_window_harness.h"
#include "resources/resource.h"
#include "temp_folder.h"

using Microsoft::WRL::ComPtr;
using namespace vorlen;

namespace {

constexpr wchar_t kParentClass[] = L"VorlenGridAccessibleTestParent";
constexpr int kDataRows = 40;

VARIANT Child(LONG id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}
const VARIANT kSelf = Child(CHILDID_SELF);

ComPtr<IAccessible> FromWindow(HWND window) {
    ComPtr<IAccessible> object;
    EXPECT_EQ(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                         reinterpret_cast<void**>(object.GetAddressOf())),
              S_OK);
    return object;
}

// The object a VARIANT result hands over, which it then releases.
ComPtr<IAccessible> Take(VARIANT&& value) {
    ComPtr<IAccessible> object;
    if (value.vt == VT_DISPATCH && value.pdispVal)
        value.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(object.GetAddressOf()));
    VariantClear(&value);
    return object;
}

ComPtr<IAccessible> ChildOf(IAccessible* parent, LONG id) {
    ComPtr<IDispatch> child;
    if (parent->get_accChild(Child(id), child.GetAddressOf()) != S_OK || !child) return nullptr;
    ComPtr<IAccessible> object;
    child.As(&object);
    return object;
}

using TextProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, BSTR*);
std::wstring Text(IAccessible* object, TextProperty property, LONG id = CHILDID_SELF) {
    BSTR text = nullptr;
    if (!object || (object->*property)(Child(id), &text) != S_OK || !text) return L"";
    std::wstring result(text, SysStringLen(text));
    SysFreeString(text);
    return result;
}
std::wstring Name(IAccessible* object, LONG id = CHILDID_SELF) { return Text(object, &IAccessible::get_accName, id); }

using NumberProperty = HRESULT (STDMETHODCALLTYPE IAccessible::*)(VARIANT, VARIANT*);
LONG Number(IAccessible* object, NumberProperty property) {
    VARIANT number;
    VariantInit(&number);
    if (!object || (object->*property)(kSelf, &number) != S_OK || number.vt != VT_I4) return -1;
    return number.lVal;
}
LONG Role(IAccessible* object) { return Number(object, &IAccessible::get_accRole); }
LONG State(IAccessible* object) { return Number(object, &IAccessible::get_accState); }

LONG ChildCount(IAccessible* object) {
    long count = -1;
    if (object) object->get_accChildCount(&count);
    return count;
}

ComPtr<IAccessible> Focused(IAccessible* table) {
    VARIANT focused;
    VariantInit(&focused);
    table->get_accFocus(&focused);
    return Take(std::move(focused));
}

ComPtr<IAccessible> Navigate(IAccessible* from, long direction) {
    VARIANT end;
    VariantInit(&end);
    from->accNavigate(direction, kSelf, &end);
    return Take(std::move(end));
}

RECT Location(IAccessible* object) {
    long left = 0, top = 0, width = 0, height = 0;
    object->accLocation(&left, &top, &width, &height, kSelf);
    return RECT{left, top, left + width, top + height};
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The WinEvents the grids of this process raise, as a screen reader's hook
// sees them, each with the object it names.
class WinEventLog {
public:
    struct Event {
        DWORD event;
        HWND window;
        LONG child;
        std::wstring name;  // of the object the event names
    };

    WinEventLog() {
        current_ = this;
        hook_ = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_SELECTIONWITHIN, nullptr, &OnEvent,
                                GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    ~WinEventLog() {
        UnhookWinEvent(hook_);
        current_ = nullptr;
    }
    WinEventLog(const WinEventLog&) = delete;
    WinEventLog& operator=(const WinEventLog&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    void Clear() { events.clear(); }
    std::vector<Event> Of(DWORD event, HWND window) const {
        std::vector<Event> found;
        for (const Event& e : events)
            if (e.event == event && e.window == window) found.push_back(e);
        return found;
    }

    std::vector<Event> events;

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (!current_ || object != OBJID_CLIENT) return;
        std::wstring name;
        ComPtr<IAccessible> accessible;
        VARIANT named;
        VariantInit(&named);
        if (AccessibleObjectFromEvent(window, object, child, accessible.GetAddressOf(), &named) == S_OK)
            name = Name(accessible.Get(), named.vt == VT_I4 ? named.lVal : CHILDID_SELF);
        current_->events.push_back({event, window, child, name});
    }

    static inline WinEventLog* current_ = nullptr;
    HWINEVENTHOOK hook_ = nullptr;
};

class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

// A grid of 40 data rows, row 3 hidden, and an edit box that can take the
// focus, in a top-level window shared by the tests of the grid control.
class GridAccessibleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.lpszClassName = kParentClass;
        RegisterClassExW(&wc);
        parent_ = CreateWindowExW(0, kParentClass, L"GridAccessible test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                                  300, nullptr, nullptr, instance, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(parent_); }

    void SetUp() override {
        ASSERT_NE(parent_, nullptr);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        edit_ =
            CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, parent_, nullptr, instance, nullptr);
        model_.SetText(0, 0, L"No.");
        model_.SetText(0, 1, L"Key");
        model_.SetText(0, 2, L"Program");
        model_.SetText(0, 3, L"Command");
        for (int row = 1; row <= kDataRows; ++row) {
            model_.SetText(row, 0, std::to_wstring(row));
            model_.SetText(row, 1, L"k" + std::to_wstring(row));
            model_.SetText(row, 2, L"Program " + std::to_wstring(row));
            model_.SetText(row, 3, L"C:\\p" + std::to_wstring(row) + L"\\u.exe");
        }
        for (int col = 0; col < 4; ++col) model_.SetColWidth(col, col == 0 ? 450 : 2400);
        model_.SetRowHeight(3, 0);
        view_.onDoubleClick = [this] { doubleClickedAt_.push_back({model_.Row(), model_.Col()}); };
        view_.defaultActionName = L"開く";
        grid_ = view_.Create(parent_, 100, instance);
        ASSERT_NE(grid_, nullptr);
        MoveWindow(grid_, 0, 30, 620, 220, TRUE);
        SetFocus(grid_);
        Pump();
        table_ = FromWindow(grid_);
        ASSERT_TRUE(table_);
    }

    void TearDown() override {
        table_.Reset();
        DestroyWindow(edit_);
        DestroyWindow(grid_);
        Pump();
    }

    // The row at a child position of the table, and a cell of it.
    ComPtr<IAccessible> Row(LONG position) { return ChildOf(table_.Get(), position); }
    ComPtr<IAccessible> Cell(LONG position, int col) {
        const ComPtr<IAccessible> row = Row(position);
        return row ? ChildOf(row.Get(), col + 1) : nullptr;
    }

    RECT ScreenRect(int row, int col) {
        RECT rect = view_.CellRect(row, col);
        MapWindowPoints(grid_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    ComScope com_;
    GridModel model_{kDataRows + 1, 4};
    GridView view_{model_};
    static inline HWND parent_ = nullptr;
    HWND edit_ = nullptr;
    HWND grid_ = nullptr;
    ComPtr<IAccessible> table_;
    std::vector<std::pair<int, int>> doubleClickedAt_;
};

}  // namespace

TEST_F(GridAccessibleTest, TheTableHoldsTheHeadingAndTheShownRowsInOrderWithTheirCells) {
    EXPECT_EQ(Role(table_.Get()), ROLE_SYSTEM_TABLE);
    // The heading row and the shown data rows; row 3 is hidden.
    ASSERT_EQ(ChildCount(table_.Get()), 1 + kDataRows - 1);

    const ComPtr<IAccessible> heading = Row(1);
    EXPECT_EQ(Role(heading.Get()), ROLE_SYSTEM_ROW);
    ASSERT_EQ(ChildCount(heading.Get()), 4);
    for (int col = 0; col < 4; ++col) {
        const ComPtr<IAccessible> cell = Cell(1, col);
        EXPECT_EQ(Role(cell.Get()), ROLE_SYSTEM_COLUMNHEADER);
        EXPECT_EQ(Name(cell.Get()), model_.Text(0, col));
    }

    // Positions 2, 3, 4 … are rows 1, 2, 4 …: the hidden row is no child.
    EXPECT_EQ(Name(Row(2).Get()), L"k1 Program 1");
    EXPECT_EQ(Name(Row(3).Get()), L"k2 Program 2");
    EXPECT_EQ(Name(Row(4).Get()), L"k4 Program 4");
    EXPECT_EQ(Name(Row(kDataRows).Get()), L"k40 Program 40");
    EXPECT_EQ(Row(kDataRows + 1), nullptr);
    EXPECT_EQ(Name(table_.Get(), 4), L"k4 Program 4") << "the table answers for its children too";

    const ComPtr<IAccessible> number = Cell(4, 0);
    EXPECT_EQ(Role(number.Get()), ROLE_SYSTEM_ROWHEADER);
    EXPECT_EQ(Name(number.Get()), L"4");
    const ComPtr<IAccessible> program = Cell(4, 2);
    EXPECT_EQ(Role(program.Get()), ROLE_SYSTEM_CELL);
    EXPECT_EQ(Name(program.Get()), L"Program 4");
    EXPECT_EQ(Text(program.Get(), &IAccessible::get_accDescription), L"Program")
        << "a cell is described by its column's heading";

    // Parents lead back up to the window.
    ComPtr<IDispatch> up;
    ASSERT_EQ(program->get_accParent(up.GetAddressOf()), S_OK);
    ComPtr<IAccessible> row;
    ASSERT_EQ(up.As(&row), S_OK);
    EXPECT_EQ(Name(row.Get()), L"k4 Program 4");
    ASSERT_EQ(row->get_accParent(up.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IAccessible> table;
    ASSERT_EQ(up.As(&table), S_OK);
    EXPECT_EQ(Role(table.Get()), ROLE_SYSTEM_TABLE);
    ASSERT_EQ(table->get_accParent(up.ReleaseAndGetAddressOf()), S_OK);
    ComPtr<IAccessible> window;
    ASSERT_EQ(up.As(&window), S_OK);
    HWND around = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(window.Get(), &around), S_OK);
    EXPECT_EQ(around, grid_);
}

TEST_F(GridAccessibleTest, TheCurrentCellIsFocusedWhileTheGridHasTheFocusAndTheBlockIsSelected) {
    model_.SetCurrentCell(4, 2);
    const ComPtr<IAccessible> focused = Focused(table_.Get());
    EXPECT_EQ(Name(focused.Get()), L"Program 4");
    const LONG current = State(Cell(4, 2).Get());
    EXPECT_TRUE(current & STATE_SYSTEM_FOCUSED);
    EXPECT_TRUE(current & STATE_SYSTEM_SELECTED);
    EXPECT_FALSE(State(Cell(4, 3).Get()) & STATE_SYSTEM_SELECTED);

    model_.SetSelectionEnd(5, 3);
    EXPECT_TRUE(State(Cell(5, 3).Get()) & STATE_SYSTEM_SELECTED) << "row 5, at position 5";
    EXPECT_FALSE(State(Cell(5, 3).Get()) & STATE_SYSTEM_FOCUSED);
    EXPECT_FALSE(State(Cell(5, 1).Get()) & STATE_SYSTEM_SELECTED);

    SetFocus(edit_);
    EXPECT_FALSE(State(Cell(4, 2).Get()) & STATE_SYSTEM_FOCUSED);
    VARIANT none;
    VariantInit(&none);
    EXPECT_EQ(table_->get_accFocus(&none), S_FALSE);
    EXPECT_EQ(none.vt, VT_EMPTY);
}

TEST_F(GridAccessibleTest, LocationsAndHitTestsMatchTheCellsAsDrawn) {
    const RECT drawn = ScreenRect(4, 2);
    const RECT told = Location(Cell(4, 2).Get());
    EXPECT_TRUE(EqualRect(&drawn, &told));

    const POINT centre{(drawn.left + drawn.right) / 2, (drawn.top + drawn.bottom) / 2};
    VARIANT hit;
    VariantInit(&hit);
    ASSERT_EQ(table_->accHitTest(centre.x, centre.y, &hit), S_OK);
    const ComPtr<IAccessible> row = Take(std::move(hit));
    EXPECT_EQ(Name(row.Get()), L"k4 Program 4");
    ASSERT_EQ(row->accHitTest(centre.x, centre.y, &hit), S_OK);
    EXPECT_EQ(Name(Take(std::move(hit)).Get()), L"Program 4");

    // A row scrolled out of view says so; the last row is below the fold.
    EXPECT_FALSE(State(Row(2).Get()) & STATE_SYSTEM_OFFSCREEN);
    EXPECT_TRUE(State(Row(kDataRows).Get()) & STATE_SYSTEM_OFFSCREEN);
}

TEST_F(GridAccessibleTest, NavigationWalksRowsAndCellsAsDrawnPastHiddenRows) {
    const ComPtr<IAccessible> heading = Navigate(table_.Get(), NAVDIR_FIRSTCHILD);
    EXPECT_EQ(Name(heading.Get()), L"Key Program");
    EXPECT_EQ(Name(Navigate(table_.Get(), NAVDIR_LASTCHILD).Get()), L"k40 Program 40");
    const ComPtr<IAccessible> second = Navigate(Row(3).Get(), NAVDIR_NEXT);
    EXPECT_EQ(Name(second.Get()), L"k4 Program 4") << "row 3 is hidden";
    EXPECT_EQ(Name(Navigate(second.Get(), NAVDIR_PREVIOUS).Get()), L"k2 Program 2");
    EXPECT_EQ(Name(Navigate(second.Get(), NAVDIR_LASTCHILD).Get()), L"C:\\p4\\u.exe");

    const ComPtr<IAccessible> cell = Cell(3, 2);
    EXPECT_EQ(Name(Navigate(cell.Get(), NAVDIR_RIGHT).Get()), L"C:\\p2\\u.exe");
    EXPECT_EQ(Name(Navigate(cell.Get(), NAVDIR_LEFT).Get()), L"k2");
    EXPECT_EQ(Name(Navigate(cell.Get(), NAVDIR_DOWN).Get()), L"Program 4");
    EXPECT_EQ(Name(Navigate(cell.Get(), NAVDIR_UP).Get()), L"Program 1");
    EXPECT_EQ(Navigate(Cell(1, 0).Get(), NAVDIR_LEFT), nullptr);
}

TEST_F(GridAccessibleTest, WinEventsFollowTheCurrentCellTheBlockAndTheRows) {
    WinEventLog log;
    ASSERT_TRUE(log.Hooked());
    model_.SetCurrentCell(2, 1);
    SendMessageW(grid_, WM_KEYDOWN, VK_DOWN, 1);  // onto row 4: row 3 is hidden
    Pump();
    auto focus = log.Of(EVENT_OBJECT_FOCUS, grid_);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().name, L"k4");
    auto selection = log.Of(EVENT_OBJECT_SELECTION, grid_);
    ASSERT_FALSE(selection.empty());
    EXPECT_EQ(selection.back().name, L"k4");

    // Many moves within one handler are told once, when it is done.
    log.Clear();
    for (int row = 5; row <= 20; ++row) model_.SetCurrentCell(row, 2);
    EXPECT_TRUE(log.Of(EVENT_OBJECT_FOCUS, grid_).empty());
    Pump();
    focus = log.Of(EVENT_OBJECT_FOCUS, grid_);
    ASSERT_EQ(focus.size(), 1u);
    EXPECT_EQ(focus[0].name, L"Program 20");

    log.Clear();
    model_.SetSelectionEnd(22, 3);
    Pump();
    EXPECT_EQ(log.Of(EVENT_OBJECT_SELECTIONWITHIN, grid_).size(), 1u);
    EXPECT_TRUE(log.Of(EVENT_OBJECT_FOCUS, grid_).empty());

    // Away from the grid the current cell still moves, without taking the reader's focus.
    SetFocus(edit_);
    Pump();
    log.Clear();
    model_.SetCurrentCell(7, 1);
    Pump();
    EXPECT_TRUE(log.Of(EVENT_OBJECT_FOCUS, grid_).empty());
    EXPECT_EQ(log.Of(EVENT_OBJECT_SELECTION, grid_).size(), 1u);

    // Hiding rows or sorting changes the table's children.
    log.Clear();
    model_.SetRowHeight(10, 0);
    Pump();
    EXPECT_EQ(log.Of(EVENT_OBJECT_REORDER, grid_).size(), 1u);
    EXPECT_EQ(ChildCount(table_.Get()), 1 + kDataRows - 2);
}

TEST_F(GridAccessibleTest, TheDefaultActionOfADataCellIsWhatADoubleClickDoes) {
    SetFocus(edit_);
    const ComPtr<IAccessible> cell = Cell(5, 3);
    BSTR action = nullptr;
    ASSERT_EQ(cell->get_accDefaultAction(kSelf, &action), S_OK);
    EXPECT_EQ(std::wstring(action), L"開く");
    SysFreeString(action);

    ASSERT_EQ(cell->accDoDefaultAction(kSelf), S_OK);
    Pump();
    EXPECT_EQ(doubleClickedAt_, (std::vector<std::pair<int, int>>{{5, 3}}));
    EXPECT_EQ(GetFocus(), grid_);

    // A heading does nothing on a double-click, nor does a disabled grid.
    EXPECT_EQ(Cell(1, 2)->accDoDefaultAction(kSelf), DISP_E_MEMBERNOTFOUND);
    model_.SetEnabled(false);
    EXPECT_NE(cell->accDoDefaultAction(kSelf), S_OK);
    Pump();
    EXPECT_EQ(doubleClickedAt_.size(), 1u);
}

TEST_F(GridAccessibleTest, ObjectsKeptAfterTheGridIsGoneSayItIsGone) {
    const ComPtr<IAccessible> cell = Cell(2, 1);
    DestroyWindow(grid_);
    grid_ = nullptr;
    BSTR name = nullptr;
    EXPECT_EQ(cell->get_accName(kSelf, &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(table_->get_accName(Child(2), &name), CO_E_OBJNOTCONNECTED);
    long count = 0;
    EXPECT_EQ(table_->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
}

// ---- The main window's list, as a new user of a screen reader meets it ------

TEST(MainWindowAccessibility, AScreenReaderReadsEveryShownEntryAndFollowsCtrlD) {
    const ComScope com;
    TempFolder folder(L"vorlen-accessibility");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    MainWindow& window = harness.Window();
    GridModel& list = window.ListGrid();
    const HWND grid = window.ListGridView().Hwnd();

    // Filter the list by a program name, so that some rows are hidden.
    window.Info().SetBoxText(InfoPanel::kNameBox, L"Vorlen");
    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_FILTER_NAME, 0);
    MainWindowHarness::PumpMessages();
    std::vector<int> shown;
    for (int row = 1; row < list.Rows(); ++row)
        if (!list.IsRowHidden(row)) shown.push_back(row);
    ASSERT_GT(shown.size(), 2u);
    ASSERT_LT(shown.size(), static_cast<std::size_t>(list.Rows() - 1)) << "the filter hid nothing";

    const ComPtr<IAccessible> table = FromWindow(grid);
    ASSERT_TRUE(table);
    ASSERT_EQ(ChildCount(table.Get()), static_cast<LONG>(1 + shown.size()));
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const ComPtr<IAccessible> row = ChildOf(table.Get(), static_cast<LONG>(i + 2));
        EXPECT_EQ(Role(row.Get()), ROLE_SYSTEM_ROW);
        EXPECT_EQ(Name(row.Get()), std::wstring(list.Text(shown[i], 1)) + L" " + std::wstring(list.Text(shown[i], 2)));
        for (int col = 0; col < list.Cols(); ++col)
            EXPECT_EQ(Name(row.Get(), col + 1), list.Text(shown[i], col)) << "row " << shown[i] << " col " << col;
    }

    // Ctrl+D steps by position: from a shown row whose next row is shown too.
    std::size_t from = 0;
    while (from + 1 < shown.size() && shown[from + 1] != shown[from] + 1) ++from;
    ASSERT_LT(from + 1, shown.size()) << "no two neighbouring rows pass the filter";
    WinEventLog log;
    SetFocus(grid);
    list.SetCurrentCell(shown[from], 2);
    MainWindowHarness::PumpMessages();
    log.Clear();
    BYTE control[256] = {};
    control[VK_CONTROL] = 0x80;
    SetKeyboardState(control);
    MSG key{grid, WM_KEYDOWN, 'D', 0};
    EXPECT_TRUE(window.PreTranslateMessage(key));
    BYTE released[256] = {};
    SetKeyboardState(released);
    MainWindowHarness::PumpMessages();

    ASSERT_EQ(list.Row(), shown[from + 1]);
    const std::wstring current(list.Text(list.Row(), 2));
    EXPECT_EQ(Name(Focused(table.Get()).Get()), current);
    const auto focus = log.Of(EVENT_OBJECT_FOCUS, grid);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().name, current);
}

TEST(MainWindowAccessibility, TheFilterTogglesAreNamedThoughTheyShowOnlyAPicture) {
    const ComScope com;
    TempFolder folder(L"vorlen-accessibility-toggles");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    const wchar_t* names[] = {L"キー名でフィルタ", L"プログラム名でフィルタ", L"アンインストール コマンドでフィルタ"};
    for (int toggle = 0; toggle < 3; ++toggle) {
        const ComPtr<IAccessible> button = FromWindow(harness.Window().Info().Toggle(toggle));
        EXPECT_EQ(Name(button.Get()), names[toggle]);
    }
}

TEST(MainWindowAccessibility, TheDefaultActionOfADetailCellOpensItsFolderAsADoubleClickDoes) {
    const ComScope com;
    TempFolder folder(L"vorlen-accessibility-action");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    MainWindow& window = harness.Window();
    GridModel& list = window.ListGrid();
    for (int row = 1; row < list.Rows(); ++row)
        if (list.Text(row, 1) == L"Vorlen Sample") list.SetCurrentCell(row, 1);
    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_VIEW_TYPE_DETAIL, 0);
    MainWindowHarness::PumpMessages();
    GridModel& detail = window.DetailGrid();
    int installLocation = -1;
    for (int row = 1; row < detail.Rows(); ++row)
        if (detail.Text(row, 1) == L"InstallLocation") installLocation = row;
    ASSERT_GT(installLocation, 0);

    // The reader acts while the focus is elsewhere, as it may.
    SetFocus(window.Info().Box(0));
    const ComPtr<IAccessible> table = FromWindow(window.DetailGridView().Hwnd());
    const ComPtr<IAccessible> row = ChildOf(table.Get(), installLocation + 1);  // no detail row is hidden
    ASSERT_EQ(Name(row.Get(), 2), L"InstallLocation");
    BSTR action = nullptr;
    ASSERT_EQ(row->get_accDefaultAction(Child(4), &action), S_OK);
    EXPECT_EQ(std::wstring(action), L"ダブルクリック");
    SysFreeString(action);
    ASSERT_EQ(row->accDoDefaultAction(Child(4)), S_OK);
    MainWindowHarness::PumpMessages();
    ASSERT_EQ(harness.Desktop().started.size(), 1u);
    EXPECT_EQ(harness.Desktop().started[0].commandLine, L"explorer C:\\Program Files\\Vorlen Sample");
}
