#include "window/main_window.h"

#include <commctrl.h>

#include <exception>

#include "app/resource.h"
#include "core/display_settings.h"
#include "core/os_name.h"
#include "inventory/inventory_scan.h"

namespace vorlen {

namespace {

constexpr wchar_t kMainWindowClass[] = L"VorlenMainWindow";

// Design size of the client area, in twips.
constexpr int kDesignClientWidth = 9420;
constexpr int kDesignClientHeight = 4950;
constexpr int kStatusBarHeight = 375;

// Runs one start-up or layout step; a step that fails is skipped so that
// the window always opens.
template <typename Step>
void Absorb(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowServices services)
    : instance_(instance),
      services_(std::move(services)),
      listModel_(2, 4),
      detailModel_(2, 4),
      listView_(listModel_),
      detailView_(detailModel_) {}

MainWindow::~MainWindow() {
    if (Hwnd()) DestroyWindow(Hwnd());
    if (font_) DeleteObject(font_);
}

bool MainWindow::Create(int showCommand) {
    Form_Initialize();

    const HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VORLEN));
    if (!RegisterClassOnce(instance_, kMainWindowClass, icon, GetSysColorBrush(COLOR_BTNFACE))) return false;

    // Open at the design size of the client area, for the DPI of the
    // monitor the window will appear on.
    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, MulDiv(kDesignClientWidth, dpi, 1440), MulDiv(kDesignClientHeight, dpi, 1440)};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0, dpi);
    if (!CreateBound(0, kMainWindowClass, title_.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                     CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_))
        return false;
    ShowWindow(Hwnd(), showCommand);
    UpdateWindow(Hwnd());
    return true;
}

void MainWindow::Form_Initialize() {
    firstResize_ = true;
    title_ = LoadText(IDS_APP_NAME);
    Absorb([&] { program_.iniFilePath = services_.executableFolder + L"\\" + kAppTitle + L".ini"; });
    Absorb([&] {
        const auto file = services_.openSettingsFile(program_.iniFilePath);
        program_.settings = ReadDisplaySettings(*file, program_.settings);
    });
    fillingDetail_ = false;
    Absorb([&] { program_.osName = services_.getOsName(); });
    if (program_.osName.empty()) return;
    title_ = MainWindowTitle(program_.osName);
}

void MainWindow::Form_Load() {
    // Both grids: headings, the fixed number column, alignments.
    const auto setUpGrid = [&](GridModel& grid, UINT firstHeading) {
        for (int col = 0; col < grid.Cols(); ++col) grid.SetText(0, col, LoadText(firstHeading + col));
        grid.SetColWidth(0, kFixedColumnWidth);
        grid.SetFixedAlignment(0, CellAlignment::CenterCenter);
        for (int col = 1; col < grid.Cols(); ++col) {
            grid.SetColAlignment(col, CellAlignment::LeftCenter);
            grid.SetFixedAlignment(col, CellAlignment::CenterCenter);
        }
    };
    Absorb([&] { setUpGrid(listModel_, IDS_LIST_HEADING_NO); });
    Absorb([&] { LoadList(); });
    Absorb([&] { SortList(kListColumnDisplayName, 1); });
    Absorb([&] { listModel_.SetCol(kListColumnKeyName); });
    Absorb([&] { setUpGrid(detailModel_, IDS_DETAIL_HEADING_NO); });
    filterClickActive_ = false;
}

void MainWindow::LoadList() {
    ScanRules rules;
    rules.settings = program_.settings;
    rules.osName = program_.osName;
    vorlen::LoadList(*services_.registry, listModel_, rules);
}

void MainWindow::SortList(int column, int direction) {
    Absorb([&] { listModel_.SetCol(column); });
    Absorb([&] {
        listModel_.Sort(column, direction == 1 ? SortDirection::Ascending : SortDirection::Descending,
                        *services_.collator);
    });
    Absorb([&] {
        for (int row = 1; row < listModel_.Rows(); ++row) listModel_.SetText(row, kListColumnNumber, std::to_wstring(row));
    });
}

void MainWindow::Form_Resize() {
    if (IsIconic(Hwnd())) return;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    int statusHeight = kStatusBarHeight;
    if (statusBar_) {
        RECT status{};
        GetWindowRect(statusBar_, &status);
        statusHeight = ToTwips(status.bottom - status.top);
    }
    const MainLayout layout = ComputeMainLayout(ToTwips(client.right), ToTwips(client.bottom), statusHeight, gridRect_);
    gridRect_ = layout.grid;
    PlaceTwips(listView_.Hwnd(), gridRect_);
    PlaceTwips(detailView_.Hwnd(), gridRect_);
    if (firstResize_) {
        for (int i = 0; i < 3; ++i) {
            listModel_.SetColWidth(i + 1, layout.listColumns[i]);
            detailModel_.SetColWidth(i + 1, layout.detailColumns[i]);
        }
        firstResize_ = false;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        dpi_ = GetDpiForWindow(Hwnd());
        CreateControls();
        Form_Load();
        return 0;
    case WM_SIZE:
        if (statusBar_) SendMessageW(statusBar_, WM_SIZE, 0, 0);
        Form_Resize();
        return 0;
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        listView_.SetDpi(dpi_);
        detailView_.SetDpi(dpi_);
        ApplyFont();
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SETFOCUS:
        SetFocus(listView_.Hwnd());
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefaultHandling(message, wParam, lParam);
    }
}

void MainWindow::CreateControls() {
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, Hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STBMAIN)), instance_, nullptr);
    listView_.Create(Hwnd(), IDC_GRDLIST, instance_);
    detailView_.Create(Hwnd(), IDC_GRDDETAIL, instance_);
    listView_.SetDpi(dpi_);
    detailView_.SetDpi(dpi_);
    detailModel_.SetVisible(false);
    ApplyFont();
}

void MainWindow::ApplyFont() {
    // The system's message font at this window's DPI: on a Japanese system a
    // font that holds Japanese.
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi_)) return;
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    if (!font) return;
    for (HWND control : {listView_.Hwnd(), detailView_.Hwnd(), statusBar_})
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

std::wstring MainWindow::LoadText(UINT id) const {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out the resource text itself.
    const int length = LoadStringW(instance_, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

int MainWindow::ToPixels(int twips) const { return MulDiv(twips, static_cast<int>(dpi_), 1440); }
int MainWindow::ToTwips(int pixels) const { return MulDiv(pixels, 1440, static_cast<int>(dpi_)); }

void MainWindow::PlaceTwips(HWND control, const TwipsRect& rect) const {
    if (!control) return;
    MoveWindow(control, ToPixels(rect.left), ToPixels(rect.top), ToPixels(rect.width), ToPixels(rect.height), TRUE);
}

}  // namespace vorlen
