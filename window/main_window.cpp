#include "window/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <new>
#include <string_view>

#include "controls/program_fault.h"
#include "core/os_name.h"
#include "inventory/uninstall_key.h"
#include "platform/display_settings_file.h"
#include "resources/resource.h"
#include "window/detail_view.h"
#include "window/edit_commands.h"
#include "window/entry_actions.h"
#include "window/entry_notes.h"
#include "window/export_command.h"
#include "window/grid_setup.h"
#include "window/list_commands.h"
#include "window/list_grid.h"
#include "window/settings_commands.h"
#include "window/tool_commands.h"

namespace vorlen {

namespace {

constexpr wchar_t kMainWindowClass[] = L"VorlenMainWindow";

// The client area's size when the window opens, and the status bar's height
// until the bar itself says, in twips.
constexpr int kOpeningClientWidth = 9420;
constexpr int kOpeningClientHeight = 4950;
constexpr int kStatusBarHeight = 375;

// The uninstaller checker's answer has arrived; wParam is its generation.
constexpr UINT kUninstallerCheckedMessage = WM_APP + 1;

// Whether a WM_SETTINGCHANGE touches what the window draws with: the
// message font and the other non-client metrics, or high contrast.
bool ChangesDisplaySettings(WPARAM action, LPARAM section) {
    if (action == SPI_SETNONCLIENTMETRICS || action == SPI_SETHIGHCONTRAST || action == SPI_SETICONTITLELOGFONT)
        return true;
    const auto* name = reinterpret_cast<const wchar_t*>(section);
    return action == 0 && name && std::wstring_view(name) == L"WindowMetrics";
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainWindowServices services) : parts_(instance, std::move(services)) {
    gridRect_ = {kGridLeft, kGridTop, 0, 0};
}

MainWindow::~MainWindow() {
    if (Hwnd()) DestroyWindow(Hwnd());
}

bool MainWindow::Create(int showCommand) {
    InitializeProgramState();

    const HINSTANCE instance = parts_.instance;
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VORLEN));
    if (!RegisterClassOnce(instance, kMainWindowClass, icon, GetSysColorBrush(COLOR_BTNFACE))) return false;
    parts_.menu.Load(instance);
    shortcuts_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    // The caption of the Add/Remove Programs command follows the Windows version.
    if (!parts_.program.osName.empty())
        parts_.menu.SetCaption(IDM_TOOL_APPWIZ, parts_.Text(parts_.program.osName.find(L"XP") != std::wstring::npos
                                                                ? IDS_APPWIZ_PROGRAMS
                                                                : IDS_APPWIZ_APPLICATIONS));

    // Created hidden at the system DPI's size, the window takes its design
    // size at the DPI of the screen it opened on before it is shown: under
    // per-monitor awareness that DPI may be another.
    const UINT systemDpi = parts_.services.display->SystemDpi();
    RECT frame{0, 0, TwipsToPixels(kOpeningClientWidth, systemDpi), TwipsToPixels(kOpeningClientHeight, systemDpi)};
    parts_.services.display->AdjustWindowRect(frame, WS_OVERLAPPEDWINDOW, true, 0, systemDpi);
    if (!CreateBound(WS_EX_CONTROLPARENT, kMainWindowClass, parts_.title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                     CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                     parts_.menu.Bar(), instance))
        return false;
    const int clientWidth = TwipsToPixels(kOpeningClientWidth, dpi_);
    const int clientHeight = TwipsToPixels(kOpeningClientHeight, dpi_);
    // The menu bar may take more or less room than one line: bring the
    // client area to its opening size.
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT client{}, window{};
        GetClientRect(Hwnd(), &client);
        GetWindowRect(Hwnd(), &window);
        const int dx = clientWidth - client.right;
        const int dy = clientHeight - client.bottom;
        if (dx == 0 && dy == 0) break;
        SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Hwnd(), showCommand);
    UpdateWindow(Hwnd());
    return true;
}

// The settings-file path, the display settings and the Windows version's
// name, each read once for the whole run. A step that fails leaves its value
// as it was: defaults, or no version name.
void MainWindow::InitializeProgramState() {
    ProgramState& program = parts_.program;
    parts_.title = parts_.Text(IDS_APP_NAME);
    program.iniFilePath = parts_.services.executableFolder + L"\\" + kAppTitle + L".ini";
    try {
        const auto file = parts_.services.openSettingsFile(program.iniFilePath);
        program.settings = ReadDisplaySettings(*file, program.settings);
    } catch (const std::bad_alloc&) {}
    program.osName = parts_.services.getOsName();
    if (!program.osName.empty()) parts_.title = MainWindowTitle(program.osName);
}

void MainWindow::OnCreate() {
    parts_.window = Hwnd();
    dpi_ = parts_.services.display->WindowDpi(Hwnd());
    parts_.uninstallerChecker.Start(Hwnd(), kUninstallerCheckedMessage);
    CreateControls();
    LoadInitialList();
    parts_.ShowCommandStates();
}

void MainWindow::CreateControls() {
    const HINSTANCE instance = parts_.instance;
    // Creation order is tab order: the list grid first, where the focus starts.
    parts_.listView.Create(Hwnd(), IDC_LIST_GRID, instance);
    parts_.toolbar.Create(Hwnd(), IDC_TOOLBAR, instance, dpi_);
    parts_.info.Create(Hwnd(), instance);
    parts_.detailView.Create(Hwnd(), IDC_DETAIL_GRID, instance);
    parts_.status.Create(Hwnd(), IDC_STATUS_BAR, instance);
    // The detail grid lies over the list grid in the same place; it is drawn
    // on top, and either one is hidden or disabled, so Tab never meets both.
    SetWindowPos(parts_.detailView.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    parts_.listView.SetDpi(dpi_);
    parts_.detailView.SetDpi(dpi_);
    parts_.listView.SetDisplay(*parts_.services.display);
    parts_.detailView.SetDisplay(*parts_.services.display);
    parts_.detail.SetVisible(false);
    parts_.list.SetCurrentCellChangedHandler([this] { OnListCurrentCellChanged(parts_); });
    for (GridView* view : {&parts_.listView, &parts_.detailView}) {
        // A double-click and a screen reader's default action are commands
        // like any other.
        view->onDoubleClick = [this] { RunCommand(IDM_GRID_OPEN); };
        view->defaultActionName = parts_.Text(IDS_GRID_DEFAULT_ACTION);
        view->onMouseDown = [this](int button) {
            POINT cursor{};
            if (button == 2 && GetCursorPos(&cursor)) ShowContextMenu(cursor);
        };
        view->onKeyboardContextMenu = [this](POINT at) { ShowContextMenu(at); };
    }
    if (!parts_.program.osName.empty())
        parts_.toolbar.SetTooltip(IDM_TOOL_APPWIZ, parts_.menu.Caption(IDM_TOOL_APPWIZ));
    ApplyFont();
}

// The list as the program opens: headings, the entries sorted by program
// name, the key-name column current. A step that fails is skipped.
void MainWindow::LoadInitialList() {
    try {
        SetUpGrid(parts_.list, parts_.instance, IDS_LIST_HEADING_NO);
        SetUpGrid(parts_.detail, parts_.instance, IDS_DETAIL_HEADING_NO);
        RebuildList(parts_, [this] {
            LoadList(parts_);
            SortList(parts_, kListColumnDisplayName, SortDirection::Ascending);
            parts_.list.SetCol(kListColumnKeyName);
        });
    } catch (const std::bad_alloc&) {}
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    if (message.hwnd == Hwnd() || IsChild(Hwnd(), message.hwnd)) {
        translatingShortcut_ = true;
        const bool shortcut = shortcuts_ && TranslateAcceleratorW(Hwnd(), shortcuts_, &message) != 0;
        translatingShortcut_ = false;
        if (shortcut) return true;
    }
    return IsDialogMessageW(Hwnd(), &message) != FALSE;
}

void MainWindow::RunCommand(UINT command) {
    // A command that arrives once the window is destroyed has nothing left
    // to act on.
    if (!Hwnd()) return;
    try {
        DispatchCommand(command);
    } catch (const std::bad_alloc&) {
        // Out of memory: the command ends where it was, the window goes on.
    } catch (const std::exception& failure) {
        // Every failure the user should hear of is reported by its command;
        // anything else reaching here is a fault of the program.
        ReportProgramFault(failure.what());
    }
    // 終了, or a close while REG EXPORT was awaited, destroyed the window
    // and its controls: ShowCommandStates then does nothing.
    parts_.ShowCommandStates();
}

void MainWindow::DispatchCommand(UINT command) {
    switch (command) {
    case IDM_FILE_EXPORT: return ExportCsv(parts_);
    case IDM_FILE_EXPLORER:
    case IDM_POPUP_EXPLORER: return OpenFolder(parts_);
    case IDM_FILE_URL:
    case IDM_POPUP_URL: return OpenWebAddress(parts_);
    case IDM_FILE_END: DestroyWindow(Hwnd()); return;
    case IDM_EDIT_CUT: return CutSelection(parts_);
    case IDM_EDIT_COPY:
    case IDM_POPUP_COPY: return CopySelection(parts_);
    case IDM_EDIT_PASTE: return PasteClipboard(parts_);
    case IDM_VIEW_UP: return StepToPreviousEntry(parts_);
    case IDM_VIEW_DOWN: return StepToNextEntry(parts_);
    case IDM_VIEW_TYPE_DETAIL: return SelectView(parts_, ViewMode::Detail);
    case IDM_VIEW_TYPE_LIST: return SelectView(parts_, ViewMode::List);
    case IDM_VIEW_WUAU: return ToggleHotfixOnly(parts_);
    case IDM_VIEW_REFRESH: return RefreshList(parts_);
    case IDM_VIEW_SETTINGS: return ShowDisplaySettings(parts_);
    case IDM_SORT_KEY_UP: return SortList(parts_, kListColumnKeyName, SortDirection::Ascending);
    case IDM_SORT_KEY_DOWN: return SortList(parts_, kListColumnKeyName, SortDirection::Descending);
    case IDM_SORT_NAME_UP: return SortList(parts_, kListColumnDisplayName, SortDirection::Ascending);
    case IDM_SORT_NAME_DOWN: return SortList(parts_, kListColumnDisplayName, SortDirection::Descending);
    case IDM_SORT_EXE_UP: return SortList(parts_, kListColumnUninstallString, SortDirection::Ascending);
    case IDM_SORT_EXE_DOWN: return SortList(parts_, kListColumnUninstallString, SortDirection::Descending);
    case IDM_TOOL_REGEDIT: return StartSystemTool(parts_, SystemProgram::RegistryEditor, L"regedit.exe");
    case IDM_TOOL_APPWIZ: return StartSystemTool(parts_, SystemProgram::ControlPanel, L"control appwiz.cpl");
    case IDM_TOOL_REG_QUERY: return RunRegQuery(parts_);
    case IDM_TOOL_REG_EXPORT: return RunRegExport(parts_, [this] { return PumpMessages(); });
    case IDM_HELP_HELP: return PressHelpKey(parts_);
    case IDM_HELP_FILE: return OpenHelpFile(parts_);
    case IDM_HELP_MSIEXEC: return StartSystemTool(parts_, SystemProgram::Installer, L"msiexec");
    case IDM_HELP_REGSVR32: return StartSystemTool(parts_, SystemProgram::Regsvr32, L"regsvr32");
    case IDM_HELP_VERSION: return ShowVersion(parts_);
    case IDM_FILTER_KEY: return ToggleFilter(parts_, InfoPanel::kKeyBox);
    case IDM_FILTER_NAME: return ToggleFilter(parts_, InfoPanel::kNameBox);
    case IDM_FILTER_COMMAND: return ToggleFilter(parts_, InfoPanel::kCommandBox);
    case IDM_ENTRY_DETAIL: return ToggleDetailView(parts_);
    case IDM_ENTRY_RUN: return RunUninstaller(parts_);
    case IDM_GRID_OPEN: return OpenFromDoubleClick(parts_);
    default: return;
    }
}

// Menus compute the states of their items when they open; a shortcut then
// acts on what its menu showed last.
void MainWindow::OnMenuOpening(HMENU menu) {
    const auto dropDown = parts_.menu.DropDownOf(menu);
    if (!dropDown) return;
    switch (*dropDown) {
    case MainMenu::kFile: {
        const CommandStates states = ComputeCommandStates(parts_.Snapshot(true));
        parts_.menu.Show(states, {IDM_FILE_EXPLORER, IDM_FILE_URL});
        break;
    }
    case MainMenu::kEdit:
        parts_.menu.Show(ComputeCommandStates(parts_.Snapshot(false)), {IDM_EDIT_CUT, IDM_EDIT_PASTE});
        break;
    case MainMenu::kView:
        parts_.menu.Show(ComputeCommandStates(parts_.Snapshot(false)), {IDM_VIEW_UP, IDM_VIEW_DOWN});
        break;
    default: break;
    }
}

// The grids' context menu, at a point on the screen; the system tells
// screen readers of its opening and closing as of every popup menu.
void MainWindow::ShowContextMenu(POINT at) {
    parts_.menu.Show(ComputeCommandStates(parts_.Snapshot(true)),
                     {IDM_POPUP_EXPLORER, IDM_POPUP_URL, IDM_POPUP_CUT, IDM_POPUP_PASTE});
    TrackPopupMenu(parts_.menu.ContextMenu(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(),
                   nullptr);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_SIZE:
        SendMessageW(parts_.toolbar.Hwnd(), TB_AUTOSIZE, 0, 0);
        parts_.status.FollowParent();
        LayOut();
        return 0;
    case WM_COMMAND: {
        // Menus, shortcuts, the toolbar and the frame's buttons and toggles
        // all carry a command; the boxes' notifications are no commands.
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (control && HIWORD(wParam) != BN_CLICKED) break;
        RunCommand(LOWORD(wParam));
        return 0;
    }
    case WM_INITMENUPOPUP:
        if (!translatingShortcut_ && !HIWORD(lParam)) OnMenuOpening(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_NOTIFY:
        if (parts_.toolbar.OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
        break;
    case WM_SETTINGCHANGE:
        if (ChangesDisplaySettings(wParam, lParam)) OnSystemSettingsChanged(message, wParam, lParam);
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: OnSystemSettingsChanged(message, wParam, lParam); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wParam) != WA_INACTIVE, HIWORD(wParam) != 0); return 0;
    case WM_SETFOCUS: FocusControl(); return 0;
    case kUninstallerCheckedMessage: OnUninstallerChecked(parts_, static_cast<std::uint32_t>(wParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY: parts_.window = nullptr; break;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
}

// Away and back again, the user finds the focus where it was; the grid gets
// it at start-up and when no control of the window had it.
void MainWindow::OnActivate(bool active, bool minimized) {
    if (!active) {
        const HWND focused = GetFocus();
        if (focused && IsChild(Hwnd(), focused)) focusToRestore_ = focused;
        return;
    }
    if (!minimized) FocusControl();
}

void MainWindow::FocusControl() {
    const HWND remembered = focusToRestore_;
    if (remembered && IsWindow(remembered) && IsChild(Hwnd(), remembered) && IsWindowVisible(remembered) &&
        IsWindowEnabled(remembered)) {
        SetFocus(remembered);
        return;
    }
    SetFocus(parts_.view == ViewMode::Detail ? parts_.detailView.Hwnd() : parts_.listView.Hwnd());
}

// The layout of the client area at the window's DPI. Each step stands on its
// own: a size that comes out negative is refused and its control keeps the
// size it had, and the other steps still apply.
void MainWindow::LayOut() {
    if (IsIconic(Hwnd())) return;
    RECT client{};
    GetClientRect(Hwnd(), &client);
    int statusHeight = kStatusBarHeight;
    if (parts_.status.Hwnd()) {
        RECT status{};
        GetWindowRect(parts_.status.Hwnd(), &status);
        statusHeight = PixelsToTwips(status.bottom - status.top, dpi_);
    }
    const MainLayout layout = ComputeMainLayout(PixelsToTwips(client.right, dpi_), PixelsToTwips(client.bottom, dpi_),
                                                statusHeight, gridRect_);
    gridRect_ = layout.grid;
    for (HWND grid : {parts_.listView.Hwnd(), parts_.detailView.Hwnd()})
        if (grid)
            MoveWindow(grid, TwipsToPixels(gridRect_.left, dpi_), TwipsToPixels(gridRect_.top, dpi_),
                       TwipsToPixels(gridRect_.width, dpi_), TwipsToPixels(gridRect_.height, dpi_), TRUE);
    if (firstLayout_) {
        // The columns' first widths share the grid's width; later the user's
        // widths stay. A width that comes out negative is left as it was.
        const auto listColumns = FirstListColumnWidths(gridRect_.width, WidestPlaceTextPixels(), dpi_);
        for (int i = 0; i < 4; ++i)
            if (listColumns[i] >= 0) parts_.list.SetColWidth(i + 1, listColumns[i]);
        for (int i = 0; i < 3; ++i)
            if (layout.detailColumns[i] >= 0) parts_.detail.SetColWidth(i + 1, layout.detailColumns[i]);
        firstLayout_ = false;
    }
    parts_.info.Place(layout, dpi_);
}

// The place column is as wide as the widest of its heading and place texts
// in the grid's font.
int MainWindow::WidestPlaceTextPixels() const {
    const HWND grid = parts_.listView.Hwnd();
    const HDC dc = GetDC(grid);
    if (!dc) return 0;
    const HGDIOBJ oldFont =
        SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    const std::wstring heading(parts_.list.Text(0, kListColumnPlace));
    for (const std::wstring_view text : {std::wstring_view(heading), PlaceText(UninstallPlace::Machine),
                                         PlaceText(UninstallPlace::Machine32), PlaceText(UninstallPlace::User)}) {
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, oldFont);
    ReleaseDC(grid, dc);
    return widest;
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    parts_.toolbar.SetDpi(dpi_);
    parts_.listView.SetDpi(dpi_);
    parts_.detailView.SetDpi(dpi_);
    ApplyFont();
    SetWindowPos(Hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// The user changed the message font, the colours, high contrast or the
// theme: the window follows without a restart. The common controls hear of
// it only from their top-level window.
void MainWindow::OnSystemSettingsChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    for (HWND control : {parts_.toolbar.Hwnd(), parts_.status.Hwnd()})
        if (control) SendMessageW(control, message, wParam, lParam);
    ApplyFont();
    parts_.listView.OnSystemColoursChanged();
    parts_.detailView.OnSystemColoursChanged();
    SendMessageW(parts_.toolbar.Hwnd(), TB_AUTOSIZE, 0, 0);
    parts_.status.FollowParent();
    LayOut();
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void MainWindow::ApplyFont() {
    // The system's message font at this window's DPI: on a Japanese system a
    // font that holds Japanese.
    NONCLIENTMETRICSW metrics{sizeof(metrics)};
    if (!parts_.services.display->SystemParameters(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, dpi_)) return;
    UniqueFont font{CreateFontIndirectW(&metrics.lfMessageFont)};
    if (!font) return;
    for (HWND control : {parts_.listView.Hwnd(), parts_.detailView.Hwnd(), parts_.status.Hwnd()})
        if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    parts_.info.SetFont(font.get());
    font_ = std::move(font);
    FitCountPanel(parts_);
}

bool MainWindow::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the program's own message loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return IsWindow(Hwnd()) != FALSE;
}

}  // namespace vorlen
