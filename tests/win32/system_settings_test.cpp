// The main window follows the system without a restart: a new message font,
// new colours, high contrast or another theme reach every control; and it
// opens at its design size at the DPI of the screen it opens on, which under
// per-monitor awareness need not be the system DPI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/twips.h"
#include "main_window_harness.h"
#include "platform/win32/display_api.h"
#include "temp_folder.h"

using namespace vorlen;

namespace {

// The system's display, with what a test changes in its place: the message
// font's height, high contrast, the window's and the system's DPI (0: the
// system's own).
class ChangingDisplay final : public DisplayApi {
public:
    ChangingDisplay() : DisplayApi(NewerDisplayFunctions::OfUser32()) {}

    UINT WindowDpi(HWND window) const override { return windowDpi ? windowDpi : DisplayApi::WindowDpi(window); }
    UINT SystemDpi() const override { return systemDpi ? systemDpi : DisplayApi::SystemDpi(); }
    bool SystemParameters(UINT action, UINT size, void* data, UINT dpi) const override {
        if (!DisplayApi::SystemParameters(action, size, data, dpi)) return false;
        if (action == SPI_GETNONCLIENTMETRICS && messageFontHeight != 0)
            static_cast<NONCLIENTMETRICSW*>(data)->lfMessageFont.lfHeight = messageFontHeight;
        return true;
    }
    bool HighContrast() const override { return highContrast; }

    LONG messageFontHeight = 0;
    bool highContrast = false;
    UINT windowDpi = 0;
    UINT systemDpi = 0;
};

LONG FontHeightOf(HWND control) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    if (handle) GetObjectW(handle, sizeof(font), &font);
    return font.lfHeight;
}

// How many pixels of a window's client area, as it paints itself now, are
// of one colour.
int PixelsOfColour(HWND window, COLORREF colour) {
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), client.right, -client.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    GdiFlush();
    // A 32-bit DIB pixel reads 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    const auto* pixels = static_cast<const DWORD*>(bits);
    int count = 0;
    for (LONG i = 0; i < client.right * client.bottom; ++i) count += (pixels[i] & 0xFFFFFF) == wanted ? 1 : 0;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    return count;
}

// The grids' light grey lines between data cells; high contrast draws them
// in the text colour.
constexpr COLORREF kGridLineGrey = RGB(192, 192, 192);

}  // namespace

TEST(MainWindowSystemSettings, ANewMessageFontReachesEveryControlWithoutARestart) {
    ChangingDisplay display;
    TempFolder folder(L"vorlen-settings-font");
    MainWindowHarness harness(folder.Path(), nullptr, GetOSName, &display);
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    MainWindow& window = harness.Window();
    const LONG before = FontHeightOf(window.ListGridView().Hwnd());
    ASSERT_NE(before, 0);

    display.messageFontHeight = before * 2;
    // A change that is not of the metrics changes nothing.
    SendMessageW(harness.Hwnd(), WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(FontHeightOf(window.ListGridView().Hwnd()), before);

    SendMessageW(harness.Hwnd(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, reinterpret_cast<LPARAM>(L"WindowMetrics"));
    MainWindowHarness::PumpMessages();
    for (HWND control : {window.ListGridView().Hwnd(), window.DetailGridView().Hwnd(), window.Info().Box(0),
                         window.Info().Box(2), window.StatusBar()})
        EXPECT_EQ(FontHeightOf(control), before * 2);
    // Laid out again: the taller status bar still ends the client area and
    // the list grid ends above it.
    RECT client{}, status{}, grid{};
    GetClientRect(harness.Hwnd(), &client);
    GetWindowRect(window.StatusBar(), &status);
    GetWindowRect(window.ListGridView().Hwnd(), &grid);
    MapWindowPoints(nullptr, harness.Hwnd(), reinterpret_cast<POINT*>(&status), 2);
    MapWindowPoints(nullptr, harness.Hwnd(), reinterpret_cast<POINT*>(&grid), 2);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_LE(grid.bottom, status.top);
}

TEST(MainWindowSystemSettings, HighContrastAndColourChangesRepaintTheGridsWithSystemColours) {
    ChangingDisplay display;
    TempFolder folder(L"vorlen-settings-colours");
    MainWindowHarness harness(folder.Path(), nullptr, GetOSName, &display);
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();
    const HWND list = harness.Window().ListGridView().Hwnd();
    ASSERT_GT(PixelsOfColour(list, kGridLineGrey), 50) << "the grid lines before any change";

    display.highContrast = true;
    SendMessageW(harness.Hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(PixelsOfColour(list, kGridLineGrey), 0) << "high contrast turned on";

    display.highContrast = false;
    SendMessageW(harness.Hwnd(), WM_SYSCOLORCHANGE, 0, 0);
    MainWindowHarness::PumpMessages();
    EXPECT_GT(PixelsOfColour(list, kGridLineGrey), 50) << "colours changed, high contrast off";

    display.highContrast = true;
    SendMessageW(harness.Hwnd(), WM_THEMECHANGED, 0, 0);
    MainWindowHarness::PumpMessages();
    EXPECT_EQ(PixelsOfColour(list, kGridLineGrey), 0) << "the theme changed, high contrast on";
}

TEST(MainWindowDpiAtOpening, OpensAtItsDesignSizeAtTheDpiOfItsScreenNotTheSystemDpi) {
    ChangingDisplay display;
    display.windowDpi = 144;
    display.systemDpi = 96;
    TempFolder folder(L"vorlen-opening-dpi");
    MainWindowHarness harness(folder.Path(), nullptr, GetOSName, &display);
    ASSERT_TRUE(harness.Created()) << "error " << harness.CreateError();

    RECT client{};
    GetClientRect(harness.Hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(9420, 144));
    EXPECT_EQ(client.bottom, TwipsToPixels(4950, 144));
    RECT grid{};
    GetWindowRect(harness.Window().ListGridView().Hwnd(), &grid);
    MapWindowPoints(nullptr, harness.Hwnd(), reinterpret_cast<POINT*>(&grid), 2);
    EXPECT_EQ(grid.left, TwipsToPixels(60, 144));
    EXPECT_EQ(grid.top, TwipsToPixels(1620, 144));
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    ASSERT_TRUE(display.SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 144));
    EXPECT_EQ(FontHeightOf(harness.Window().ListGridView().Hwnd()), metrics.lfMessageFont.lfHeight);
}
