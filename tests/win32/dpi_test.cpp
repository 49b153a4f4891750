// The main window at its DPI: moved to a screen of another DPI it lays
// itself out, writes and draws its pictures for that DPI; on a Windows
// without the DPI functions of Windows 10 (7, 8.1) it falls back to Windows
// 7's own functions, which give the system DPI's sizes and fonts. Run at 96
// DPI with the other tests, and at 144 DPI by tests/win32/at-dpi, where a
// fallback that ignored the system DPI shows.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/twips.h"
#include "main_window_harness.h"
#include "platform/win32/display_api.h"
#include "temp_folder.h"

using namespace vorlen;

namespace {

template <typename Function>
const void* Address(Function function) {
    return reinterpret_cast<const void*>(function);
}

UINT ScreenDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// What a user sees of one control: where it is in the client area and the
// font it writes with.
struct ControlPlace {
    RECT rect;
    LONG fontHeight;
    std::wstring fontFace;

    bool operator==(const ControlPlace& other) const {
        return EqualRect(&rect, &other.rect) && fontHeight == other.fontHeight && fontFace == other.fontFace;
    }
};

std::ostream& operator<<(std::ostream& out, const ControlPlace& place) {
    return out << "(" << place.rect.left << "," << place.rect.top << ")-(" << place.rect.right << ","
               << place.rect.bottom << ") font " << place.fontHeight;
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle) GetObjectW(handle, sizeof(font), &font);
    return font;
}

// Every control of a window in creation order.
std::vector<ControlPlace> PlacesOfControls(HWND window) {
    std::vector<ControlPlace> places;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const LOGFONTW font = FontOf(child);
        places.push_back({rect, font.lfHeight, font.lfFaceName});
    }
    return places;
}

RECT PlaceInClient(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The side of the square picture a picture button shows.
int ButtonPictureSize(HWND button) {
    const auto icon = reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bitmap), &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int ToolbarPictureSize(HWND toolbar) {
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    int width = 0;
    int height = 0;
    if (images) ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, height);
    return width;
}

}  // namespace

TEST(MainWindowDpi, MovedToAScreenOfAnotherDpiItLaysOutWritesAndDrawsItsPicturesForIt) {
    TempFolder folder(L"vorlen-dpi");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    MainWindow& window = harness.Window();
    const UINT dpi = GetDpiForWindow(harness.Hwnd());
    if (dpi != USER_DEFAULT_SCREEN_DPI) GTEST_SKIP() << "the display is not at 96 DPI";
    EXPECT_EQ(ToolbarPictureSize(window.Toolbar().Hwnd()), 16);
    EXPECT_EQ(ButtonPictureSize(window.Info().Toggle(0)), 16);

    // What Windows sends when the window reaches a 192-DPI screen.
    RECT frame{};
    GetWindowRect(harness.Hwnd(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + 2 * (frame.right - frame.left),
                   frame.top + 2 * (frame.bottom - frame.top)};
    SendMessageW(harness.Hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    MainWindowHarness::PumpMessages();

    EXPECT_EQ(ToolbarPictureSize(window.Toolbar().Hwnd()), 32);
    for (int toggle = 0; toggle < 3; ++toggle) EXPECT_EQ(ButtonPictureSize(window.Info().Toggle(toggle)), 32);
    const RECT grid = PlaceInClient(window.ListGridView().Hwnd());
    EXPECT_EQ(grid.left, TwipsToPixels(60, 192));
    EXPECT_EQ(grid.top, TwipsToPixels(1620, 192));
    const RECT toggle = PlaceInClient(window.Info().Toggle(0));
    EXPECT_EQ(toggle.bottom - toggle.top, TwipsToPixels(315, 192));
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, 192));
    EXPECT_EQ(FontOf(window.ListGridView().Hwnd()).lfHeight, metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(FontOf(window.Info().Box(0)).lfHeight, metrics.lfMessageFont.lfHeight);
    // The toolbar still ends above the first row of the information frame.
    RECT toolbar{};
    GetWindowRect(window.Toolbar().Hwnd(), &toolbar);
    RECT box{};
    GetWindowRect(window.Info().Box(0), &box);
    EXPECT_LE(toolbar.bottom, box.top);
}

TEST(NewerDisplayFunctions, AreFoundInUser32UnderTheirOwnNames) {
    // This test program imports them directly, so it starts only where they exist.
    const NewerDisplayFunctions found = NewerDisplayFunctions::OfUser32();
    EXPECT_EQ(Address(found.getDpiForWindow), Address(&GetDpiForWindow));
    EXPECT_EQ(Address(found.getDpiForSystem), Address(&GetDpiForSystem));
    EXPECT_EQ(Address(found.adjustWindowRectExForDpi), Address(&AdjustWindowRectExForDpi));
    EXPECT_EQ(Address(found.systemParametersInfoForDpi), Address(&SystemParametersInfoForDpi));
    EXPECT_EQ(Address(found.getSystemMetricsForDpi), Address(&GetSystemMetricsForDpi));
}

TEST(MainWindowWithoutNewerDisplayFunctions, OpensLaidOutAtTheSystemDpiWithTheSystemFont) {
    const DisplayApi windows7{NewerDisplayFunctions{}};
    TempFolder folder(L"vorlen-windows7");
    MainWindowHarness older(folder.Path(), nullptr, GetOSName, &windows7);
    ASSERT_TRUE(older.Created()) << "error " << older.CreateError();

    const UINT dpi = ScreenDpi();
    RECT client{};
    GetClientRect(older.Hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(9420, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(4950, dpi));
    RECT grid{};
    GetWindowRect(older.Window().ListGridView().Hwnd(), &grid);
    MapWindowPoints(nullptr, older.Hwnd(), reinterpret_cast<POINT*>(&grid), 2);
    EXPECT_EQ(grid.left, TwipsToPixels(60, dpi));
    EXPECT_EQ(grid.top, TwipsToPixels(1620, dpi));

    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    const LOGFONTW font = FontOf(older.Window().ListGridView().Hwnd());
    EXPECT_EQ(font.lfHeight, metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(std::wstring(font.lfFaceName), std::wstring(metrics.lfMessageFont.lfFaceName));

    // The newer functions at the system DPI give the very same window.
    MainWindowHarness current(folder.Path());
    ASSERT_TRUE(current.Created());
    RECT currentClient{};
    GetClientRect(current.Hwnd(), &currentClient);
    EXPECT_TRUE(EqualRect(&client, &currentClient));
    EXPECT_EQ(PlacesOfControls(older.Hwnd()), PlacesOfControls(current.Hwnd()));
}
