// The grid control driven through real window messages, as the keyboard and
// the mouse would drive it, checked through the model it writes to and the
// pixels it draws.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "controls/grid_view.h"
#include "grid/grid_model.h"
#include "platform/win32/display_api.h"

namespace vorlen {
namespace {

constexpr int kDataRows = 1000;
constexpr int kCols = 4;
constexpr int kDataColWidth = 2400;  // twips: 160 pixels at 96 DPI
constexpr int kGridId = 100;
constexpr wchar_t kParentClass[] = L"VorlenGridViewTestParent";

// Holds keys down in this thread's key state for one scope, where
// GetKeyState (and so the grid) sees them.
class HeldKeys {
public:
    HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state = saved_;
        for (int key : keys) state[static_cast<std::size_t>(key)] = 0x80;
        SetKeyboardState(state.data());
    }
    ~HeldKeys() { SetKeyboardState(saved_.data()); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    std::array<BYTE, 256> saved_{};
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

POINT Centre(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

LPARAM At(POINT point) { return MAKELPARAM(point.x, point.y); }

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The grid as it draws itself (WM_PRINTCLIENT), captured into a bitmap.
class Snapshot {
public:
    Snapshot(HWND window, int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HDC memory = CreateCompatibleDC(nullptr);
        const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
        GdiFlush();
        const auto* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }

    COLORREF At(POINT point) const {
        // A 32-bit DIB pixel reads 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
        const DWORD pixel = pixels_.at(static_cast<std::size_t>(point.y * width_ + point.x));
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    int Count(const RECT& area, COLORREF colour) const {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) count += At(POINT{x, y}) == colour ? 1 : 0;
        }
        return count;
    }

private:
    int width_;
    std::vector<DWORD> pixels_;
};

// A grid over 1,000 data rows and 4 columns, and an edit box that can take
// the focus away from it, in a top-level window shared by all the tests:
// under Wine without a window manager, destroying a shown top-level window
// waits two seconds for the X server.
class GridViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kParentClass;
        RegisterClassExW(&wc);
        parent_ = CreateWindowExW(0, kParentClass, L"GridView test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                  nullptr, nullptr, instance, nullptr);
    }

    static void TearDownTestSuite() {
        DestroyWindow(parent_);
        parent_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(parent_, nullptr);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 100, 20, parent_, nullptr,
                                instance, nullptr);

        model_.SetText(0, 1, L"Key");
        model_.SetText(0, 2, L"Program");
        model_.SetText(0, 3, L"Command");
        for (int row = 1; row <= kDataRows; ++row) {
            model_.SetText(row, 0, std::to_wstring(row));
            model_.SetText(row, 1, L"k" + std::to_wstring(row));
            model_.SetText(row, 2, L"Program " + std::to_wstring(row));
            model_.SetText(row, 3, L"C:\\p\\u.exe");
        }
        model_.SetColWidth(0, 450);
        for (int col = 1; col < kCols; ++col) {
            model_.SetColWidth(col, kDataColWidth);
            model_.SetFixedAlignment(col, CellAlignment::CenterCenter);
        }
        model_.SetFixedAlignment(0, CellAlignment::CenterCenter);
        model_.SetCurrentCellChangedHandler([this] { ++currentCellChanges_; });
        view_.onDoubleClick = [this] { ++doubleClicks_; };
        view_.onMouseDown = [this](int button) { buttons_.push_back(button); };

        grid_ = view_.Create(parent_, kGridId, instance);
        ASSERT_NE(grid_, nullptr);
        RECT client{};
        GetClientRect(parent_, &client);
        MoveWindow(grid_, 0, 30, client.right, client.bottom - 30, TRUE);
        SetFocus(grid_);
        Pump();
    }

    void TearDown() override {
        DestroyWindow(edit_);
        DestroyWindow(grid_);
        Pump();
    }

    void Key(WPARAM key) { SendMessageW(grid_, WM_KEYDOWN, key, 1); }

    void Click(int row, int col, WPARAM keys = 0) {
        const POINT point = Centre(view_.CellRect(row, col));
        SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON | keys, At(point));
        SendMessageW(grid_, WM_LBUTTONUP, keys, At(point));
    }

    RECT Client() const {
        RECT client{};
        GetClientRect(grid_, &client);
        return client;
    }

    void ExpectCurrent(int row, int col) {
        EXPECT_EQ(model_.Row(), row);
        EXPECT_EQ(model_.Col(), col);
    }

    void ExpectBlockEnd(int rowSel, int colSel) {
        EXPECT_EQ(model_.RowSel(), rowSel);
        EXPECT_EQ(model_.ColSel(), colSel);
    }

    // The data rows wholly in view below the heading.
    int RowsInView() {
        int rows = 0;
        for (int row = view_.TopRow(); row <= kDataRows; ++row) {
            const RECT cell = view_.CellRect(row, 1);
            if (IsRectEmpty(&cell)) continue;
            if (cell.bottom > Client().bottom) break;
            ++rows;
        }
        return rows;
    }

    Snapshot Render() {
        const RECT client = Client();
        return Snapshot(grid_, client.right, client.bottom);
    }

    // A point inside a cell, clear of its text, grid lines and focus rectangle.
    POINT BesideText(int row, int col) {
        const RECT cell = view_.CellRect(row, col);
        return POINT{cell.right - 5, (cell.top + cell.bottom) / 2};
    }

    GridModel model_{kDataRows + 1, kCols};
    GridView view_{model_};
    static inline HWND parent_ = nullptr;
    HWND edit_ = nullptr;
    HWND grid_ = nullptr;
    int currentCellChanges_ = 0;
    int doubleClicks_ = 0;
    std::vector<int> buttons_;
};

// ---- Keyboard --------------------------------------------------------------

TEST_F(GridViewTest, ArrowHomeAndEndKeysMoveTheCurrentCellWithinTheDataCells) {
    ExpectCurrent(1, 1);
    Key(VK_DOWN);
    ExpectCurrent(2, 1);
    Key(VK_RIGHT);
    ExpectCurrent(2, 2);
    EXPECT_EQ(currentCellChanges_, 2);

    Key(VK_UP);
    Key(VK_UP);  // already on the first data row
    Key(VK_LEFT);
    Key(VK_LEFT);  // never into the fixed column
    ExpectCurrent(1, 1);
    ExpectBlockEnd(1, 1);
    EXPECT_EQ(currentCellChanges_, 4);

    model_.SetCurrentCell(10, 2);
    Key(VK_END);
    ExpectCurrent(10, 3);
    Key(VK_HOME);
    ExpectCurrent(10, 1);
}

TEST_F(GridViewTest, MovementKeysStepOverHiddenRows) {
    model_.SetRowHeight(3, 0);
    model_.SetRowHeight(4, 0);
    model_.SetCurrentCell(2, 1);
    Key(VK_DOWN);
    ExpectCurrent(5, 1);
    Key(VK_UP);
    ExpectCurrent(2, 1);

    // From a hidden current row (code may put it there) the keys go to its shown neighbours.
    model_.SetCurrentCell(3, 1);
    Key(VK_DOWN);
    ExpectCurrent(5, 1);
    model_.SetCurrentCell(4, 1);
    Key(VK_UP);
    ExpectCurrent(2, 1);

    model_.SetRowHeight(kDataRows, 0);
    const HeldKeys control{VK_CONTROL};
    Key(VK_END);
    ExpectCurrent(kDataRows - 1, 3);
}

TEST_F(GridViewTest, PageDownCountsShownRowsOnly) {
    {
        const GridModel::ChangeBatch batch(model_);
        for (int row = 2; row <= kDataRows; row += 2) model_.SetRowHeight(row, 0);
    }
    Pump();
    const int page = RowsInView();
    Key(VK_NEXT);
    // Rows 1, 3, 5 … are shown: a page of them ends 2 × page positions further on.
    ExpectCurrent(1 + 2 * page, 1);
}

TEST_F(GridViewTest, CtrlHomeAndCtrlEndGoToTheFirstAndLastDataCellAndScrollThere) {
    const HeldKeys control{VK_CONTROL};
    Key(VK_END);
    ExpectCurrent(kDataRows, 3);
    EXPECT_TRUE(Contains(Client(), view_.CellRect(kDataRows, 3)));
    EXPECT_GT(view_.TopRow(), 1);

    Key(VK_HOME);
    ExpectCurrent(1, 1);
    EXPECT_EQ(view_.TopRow(), 1);
}

TEST_F(GridViewTest, PageDownAndUpMoveByThePageOfRowsInView) {
    const int page = RowsInView();
    ASSERT_GT(page, 5);
    Key(VK_NEXT);
    ExpectCurrent(1 + page, 1);
    EXPECT_TRUE(Contains(Client(), view_.CellRect(model_.Row(), 1)));
    Key(VK_NEXT);
    ExpectCurrent(1 + 2 * page, 1);
    Key(VK_PRIOR);
    Key(VK_PRIOR);
    ExpectCurrent(1, 1);
    EXPECT_EQ(currentCellChanges_, 4);
}

TEST_F(GridViewTest, ShiftWithTheMovementKeysExtendsTheBlockAndKeepsTheCurrentCell) {
    {
        const HeldKeys shift{VK_SHIFT};
        Key(VK_DOWN);
        Key(VK_DOWN);
        Key(VK_END);
        ExpectCurrent(1, 1);
        ExpectBlockEnd(3, 3);
        Key(VK_HOME);
        ExpectBlockEnd(3, 1);
        Key(VK_NEXT);
        EXPECT_GT(model_.RowSel(), 3);
        ExpectCurrent(1, 1);
    }
    {
        const HeldKeys shiftControl{VK_SHIFT, VK_CONTROL};
        Key(VK_END);
        ExpectCurrent(1, 1);
        ExpectBlockEnd(kDataRows, 3);
        // The moving corner is the one brought into view.
        EXPECT_TRUE(Contains(Client(), view_.CellRect(kDataRows, 3)));
    }
    EXPECT_EQ(currentCellChanges_, 0);

    Key(VK_DOWN);  // without Shift the block collapses onto the new current cell
    ExpectCurrent(2, 1);
    ExpectBlockEnd(2, 1);
    EXPECT_EQ(currentCellChanges_, 1);
}

TEST_F(GridViewTest, ADisabledGridIgnoresKeysAndClicksButFollowsTheModel) {
    model_.SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(grid_));
    Key(VK_DOWN);
    Click(5, 2);
    SendMessageW(grid_, WM_RBUTTONDOWN, MK_RBUTTON, At(Centre(view_.CellRect(5, 2))));
    ExpectCurrent(1, 1);
    EXPECT_EQ(currentCellChanges_, 0);
    EXPECT_TRUE(buttons_.empty());

    model_.SetCurrentCell(600, 2);
    Pump();
    ExpectCurrent(600, 2);
    EXPECT_EQ(currentCellChanges_, 1);
    EXPECT_TRUE(Contains(Client(), view_.CellRect(600, 2)));

    model_.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(grid_));
    Key(VK_DOWN);
    ExpectCurrent(601, 2);
}

TEST_F(GridViewTest, HidingTheGridInTheModelHidesTheWindow) {
    model_.SetVisible(false);
    Pump();
    EXPECT_FALSE(IsWindowVisible(grid_));
    model_.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(grid_));

    // Hidden and shown again within one handler, as a fill does: the window
    // never goes away.
    model_.SetVisible(false);
    model_.SetVisible(true);
    Pump();
    EXPECT_TRUE(IsWindowVisible(grid_));
}

// ---- Mouse -----------------------------------------------------------------

TEST_F(GridViewTest, ALeftClickMakesTheDataCellCurrentAndTakesTheFocus) {
    SetFocus(edit_);
    Click(5, 2);
    ExpectCurrent(5, 2);
    ExpectBlockEnd(5, 2);
    EXPECT_EQ(currentCellChanges_, 1);
    EXPECT_EQ(GetFocus(), grid_);
    EXPECT_EQ(buttons_, std::vector<int>{1});

    Click(5, 2);  // the same cell again is no change
    EXPECT_EQ(currentCellChanges_, 1);
}

TEST_F(GridViewTest, DraggingOverCellsSelectsABlock) {
    const POINT from = Centre(view_.CellRect(5, 2));
    const POINT to = Centre(view_.CellRect(8, 3));
    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, At(to));
    SendMessageW(grid_, WM_LBUTTONUP, 0, At(to));
    ExpectCurrent(5, 2);
    ExpectBlockEnd(8, 3);
    EXPECT_EQ(currentCellChanges_, 1);

    // Moving without the button held after the release selects nothing more.
    SendMessageW(grid_, WM_MOUSEMOVE, 0, At(Centre(view_.CellRect(10, 1))));
    ExpectBlockEnd(8, 3);
}

TEST_F(GridViewTest, DraggingBelowTheGridScrollsAndExtendsTheBlock) {
    const int lastInView = view_.TopRow() + RowsInView() - 1;
    const POINT from = Centre(view_.CellRect(2, 1));
    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, At(from));
    const POINT below{from.x, Client().bottom + 10};
    SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, At(below));
    SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, At(below));
    SendMessageW(grid_, WM_LBUTTONUP, 0, At(below));
    EXPECT_EQ(view_.TopRow(), 3);
    ExpectCurrent(2, 1);
    EXPECT_GT(model_.RowSel(), lastInView);
}

TEST_F(GridViewTest, ShiftClickExtendsTheBlockFromTheCurrentCell) {
    Click(5, 2);
    const HeldKeys shift{VK_SHIFT};
    Click(9, 1, MK_SHIFT);
    ExpectCurrent(5, 2);
    ExpectBlockEnd(9, 1);
    EXPECT_EQ(currentCellChanges_, 1);
}

TEST_F(GridViewTest, AClickOnTheHeadingSelectsNothingAndOneOnTheFixedColumnSelectsTheRow) {
    Click(0, 2);
    ExpectCurrent(1, 1);
    ExpectBlockEnd(1, 1);
    EXPECT_EQ(currentCellChanges_, 0);

    Click(7, 0);
    ExpectCurrent(7, 1);
    ExpectBlockEnd(7, 3);
    EXPECT_EQ(currentCellChanges_, 1);
}

TEST_F(GridViewTest, HiddenRowsTakeNoRoomAndCannotBeClicked) {
    model_.SetRowHeight(3, 0);
    const RECT hidden = view_.CellRect(3, 1);
    EXPECT_TRUE(IsRectEmpty(&hidden));
    const RECT above = view_.CellRect(2, 1);
    const RECT below = view_.CellRect(4, 1);
    EXPECT_EQ(below.top, above.bottom);

    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(above.left + 5, above.bottom));
    SendMessageW(grid_, WM_LBUTTONUP, 0, MAKELPARAM(above.left + 5, above.bottom));
    ExpectCurrent(4, 1);
}

TEST_F(GridViewTest, RightAndMiddleClicksRaiseMouseDownWithoutMovingOrTakingTheFocus) {
    SetFocus(edit_);
    const LPARAM cell = At(Centre(view_.CellRect(6, 2)));
    SendMessageW(grid_, WM_RBUTTONDOWN, MK_RBUTTON, cell);
    SendMessageW(grid_, WM_RBUTTONUP, 0, cell);
    SendMessageW(grid_, WM_MBUTTONDOWN, MK_MBUTTON, cell);
    SendMessageW(grid_, WM_MBUTTONUP, 0, cell);
    EXPECT_EQ(buttons_, (std::vector<int>{2, 4}));
    ExpectCurrent(1, 1);
    EXPECT_EQ(currentCellChanges_, 0);
    EXPECT_EQ(GetFocus(), edit_);
}

TEST_F(GridViewTest, TheKeyboardsContextMenuOpensOnceBelowTheCurrentCellScrolledIntoView) {
    std::vector<POINT> opened;
    view_.onKeyboardContextMenu = [&](POINT at) { opened.push_back(at); };
    model_.SetCurrentCell(400, 2);
    Pump();
    SendMessageW(grid_, WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    ASSERT_FALSE(view_.IsInView(400, 2));
    // Shift+F10, as the default handling of the key sends it.
    SendMessageW(grid_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid_), MAKELPARAM(-1, -1));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(view_.IsInView(400, 2));
    const RECT cell = view_.CellRect(400, 2);
    POINT below{cell.left, cell.bottom};
    ClientToScreen(grid_, &below);
    EXPECT_EQ(opened[0].x, below.x);
    EXPECT_EQ(opened[0].y, below.y);

    // The Menu key, whose key-up the grid takes itself.
    SendMessageW(grid_, WM_KEYDOWN, VK_APPS, 1);
    SendMessageW(grid_, WM_KEYUP, VK_APPS, 0xC0000001);
    EXPECT_EQ(opened.size(), 2u);
    // The right button's WM_CONTEXTMENU opens nothing more: its press did.
    SendMessageW(grid_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(grid_), MAKELPARAM(below.x, below.y));
    EXPECT_EQ(opened.size(), 2u);
    view_.onKeyboardContextMenu = nullptr;
}

TEST_F(GridViewTest, ADoubleClickOnACellRaisesDoubleClickWithThatCellCurrent) {
    int rowWhenRaised = -1;
    view_.onDoubleClick = [&] {
        ++doubleClicks_;
        rowWhenRaised = model_.Row();
    };
    const LPARAM cell = At(Centre(view_.CellRect(6, 2)));
    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, cell);
    SendMessageW(grid_, WM_LBUTTONUP, 0, cell);
    SendMessageW(grid_, WM_LBUTTONDBLCLK, MK_LBUTTON, cell);
    SendMessageW(grid_, WM_LBUTTONUP, 0, cell);
    EXPECT_EQ(doubleClicks_, 1);
    EXPECT_EQ(rowWhenRaised, 6);
    ExpectCurrent(6, 2);
    EXPECT_EQ(currentCellChanges_, 1);
    EXPECT_EQ(buttons_, (std::vector<int>{1, 1}));

    SendMessageW(grid_, WM_LBUTTONDBLCLK, MK_LBUTTON, At(Centre(view_.CellRect(0, 2))));
    EXPECT_EQ(doubleClicks_, 1);
}

TEST_F(GridViewTest, DraggingAHeadingBorderResizesTheColumnLive) {
    const RECT heading = view_.CellRect(0, 1);
    const POINT grip{heading.right - 1, (heading.top + heading.bottom) / 2};

    POINT screen = grip;
    ClientToScreen(grid_, &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(grid_, WM_SETCURSOR, reinterpret_cast<WPARAM>(grid_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));

    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, At(grip));
    SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grip.x + 30, grip.y));
    EXPECT_EQ(model_.ColWidth(1), kDataColWidth + 30 * 15);  // already while the button is held
    SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grip.x + 40, grip.y));
    SendMessageW(grid_, WM_LBUTTONUP, 0, MAKELPARAM(grip.x + 40, grip.y));
    EXPECT_EQ(model_.ColWidth(1), kDataColWidth + 40 * 15);
    EXPECT_EQ(view_.CellRect(5, 1).right - view_.CellRect(5, 1).left, 160 + 40);
    EXPECT_EQ(view_.CellRect(5, 2).left, heading.right + 40);
    ExpectCurrent(1, 1);
    EXPECT_EQ(currentCellChanges_, 0);

    SendMessageW(grid_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(heading.right + 39, grip.y));
    SendMessageW(grid_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-500, grip.y));
    SendMessageW(grid_, WM_LBUTTONUP, 0, MAKELPARAM(-500, grip.y));
    EXPECT_EQ(model_.ColWidth(1), 0);
}

// ---- Following the model ---------------------------------------------------

TEST_F(GridViewTest, ACurrentCellSetByCodeIsScrolledIntoView) {
    model_.SetCurrentCell(900, 3);
    Pump();
    EXPECT_TRUE(Contains(Client(), view_.CellRect(900, 3)));
    model_.SetCurrentCell(2, 1);
    Pump();
    EXPECT_TRUE(Contains(Client(), view_.CellRect(2, 1)));
}

TEST_F(GridViewTest, TheScrollRangeCountsShownRowsOnly) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE;
    GetScrollInfo(grid_, SB_VERT, &info);
    EXPECT_EQ(info.nMax, kDataRows - 1);

    {
        const GridModel::ChangeBatch batch(model_);
        for (int row = 1; row <= 500; ++row) model_.SetRowHeight(row, 0);
    }
    Pump();
    GetScrollInfo(grid_, SB_VERT, &info);
    EXPECT_EQ(info.nMax, kDataRows - 500 - 1);
    EXPECT_EQ(view_.TopRow(), 501);
}

TEST_F(GridViewTest, TwipsBecomePixelsAtTheGivenDpi) {
    EXPECT_EQ(view_.CellRect(0, 1).right - view_.CellRect(0, 1).left, kDataColWidth / 15);
    EXPECT_EQ(view_.CellRect(0, 1).bottom, 240 / 15);
    view_.SetDpi(192);
    EXPECT_EQ(view_.CellRect(0, 1).right - view_.CellRect(0, 1).left, kDataColWidth * 192 / 1440);
    EXPECT_EQ(view_.CellRect(1, 1).top, 240 * 192 / 1440);
    EXPECT_EQ(view_.CellAt(Centre(view_.CellRect(3, 2))), (std::pair{3, 2}));
}

// ---- Drawing ---------------------------------------------------------------

TEST_F(GridViewTest, DrawsFixedCellsDataCellsAndTheSelectedBlock) {
    {
        const HeldKeys shift{VK_SHIFT};
        Key(VK_DOWN);
        Key(VK_RIGHT);
    }
    const Snapshot pixels = Render();
    EXPECT_EQ(pixels.At(BesideText(0, 3)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixels.At(BesideText(9, 0)), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixels.At(BesideText(5, 3)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixels.At(BesideText(1, 1)), GetSysColor(COLOR_WINDOW));  // the current cell
    EXPECT_EQ(pixels.At(BesideText(2, 2)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixels.At(BesideText(1, 2)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(pixels.At(BesideText(3, 2)), GetSysColor(COLOR_WINDOW));
}

TEST_F(GridViewTest, TextTakesTheCellAndFixedColours) {
    model_.SetText(4, 2, L"WWWWWWWW");
    model_.SetCellForeColour(4, 2, kColourBlue);
    model_.SetText(5, 2, L"WWWWWWWW");
    Pump();
    Snapshot pixels = Render();
    EXPECT_GT(pixels.Count(view_.CellRect(4, 2), RGB(0, 0, 255)), 10);
    EXPECT_EQ(pixels.Count(view_.CellRect(5, 2), RGB(0, 0, 255)), 0);
    EXPECT_GT(pixels.Count(view_.CellRect(5, 2), GetSysColor(COLOR_WINDOWTEXT)), 10);
    EXPECT_EQ(pixels.Count(view_.CellRect(0, 2), RGB(0, 0, 255)), 0);

    model_.SetFixedForeColour(kColourBlue);
    pixels = Render();
    EXPECT_GT(pixels.Count(view_.CellRect(0, 2), RGB(0, 0, 255)), 10);
    EXPECT_GT(pixels.Count(view_.CellRect(9, 0), RGB(0, 0, 255)), 3);
}

TEST_F(GridViewTest, InHighContrastEveryColourPaintedIsASystemColour) {
    class HighContrastDisplay final : public DisplayApi {
    public:
        HighContrastDisplay() : DisplayApi(NewerDisplayFunctions::OfUser32()) {}
        bool HighContrast() const override { return true; }
    };
    const HighContrastDisplay display;
    view_.SetDisplay(display);
    model_.SetText(4, 2, L"WWWWWWWW");
    model_.SetCellForeColour(4, 2, kColourBlue);  // a link of the detail view
    model_.SetFixedForeColour(kColourBlue);       // the heading while a filter is on
    {
        const HeldKeys shift{VK_SHIFT};
        Key(VK_DOWN);
        Key(VK_RIGHT);
    }
    Pump();
    const Snapshot pixels = Render();
    std::set<COLORREF> systemColours;
    for (int index = COLOR_SCROLLBAR; index <= COLOR_MENUBAR; ++index) systemColours.insert(GetSysColor(index));
    const RECT client = Client();
    int foreign = 0;
    COLORREF example = 0;
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF colour = pixels.At(POINT{x, y});
            if (systemColours.count(colour)) continue;
            ++foreign;
            example = colour;
        }
    }
    EXPECT_EQ(foreign, 0) << "for example 0x" << std::hex << example;
    EXPECT_GT(pixels.Count(view_.CellRect(4, 2), GetSysColor(COLOR_HOTLIGHT)), 10) << "the link in hot-track colour";
    view_.SetDisplay(DisplayApi::OfThisSystem());
}

TEST_F(GridViewTest, TheHeadingAndFixedColumnStayInPlaceWhileScrolling) {
    const RECT headingBefore = view_.CellRect(0, 2);
    const RECT numberBefore = view_.CellRect(1, 0);
    SendMessageW(grid_, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_GT(view_.TopRow(), 1);
    const RECT heading = view_.CellRect(0, 2);
    EXPECT_TRUE(EqualRect(&heading, &headingBefore));
    const RECT topNumber = view_.CellRect(view_.TopRow(), 0);
    EXPECT_EQ(topNumber.top, numberBefore.top);
    EXPECT_EQ(topNumber.left, numberBefore.left);
    EXPECT_EQ(view_.CellAt(Centre(topNumber)), (std::pair{view_.TopRow(), 0}));
}

}  // namespace
}  // namespace vorlen
