#include "window/main_window.h"

#include <commctrl.h>

#include <exception>
#include <new>

#include "actions/open_target.h"
#include "actions/reg_command.h"
#include "core/error_report.h"
#include "core/os_name.h"
#include "dialogs/about_dialog.h"
#include "dialogs/settings_dialog.h"
#include "export/csv_writer.h"
#include "grid/grid_block_text.h"
#include "inventory/column_filter.h"
#include "inventory/entry_reader.h"
#include "inventory/inventory_scan.h"
#include "platform/display_settings_file.h"
#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/file_replace_win32.h"
#include "resources/resource.h"
#include "window/grid_setup.h"
#include "window/list_grid.h"

namespace vorlen {

namespace {

constexpr wchar_t kMainWindowClass[] = L"VorlenMainWindow";

// Design size of the client area, in twips.
constexpr int kDesignClientWidth = 9420;
constexpr int kDesignClientHeight = 4950;
constexpr int kStatusBarHeight = 375;

// Runs one step of a handler whose failures are skipped: the step that
// fails is left out and the next one runs, so the window stays usable.
template <typename Step>
void Absorb(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {}
}

// A C++ failure as the error report shows it.
PlatformError ErrorOf(const std::exception& failure) {
    if (dynamic_cast<const std::bad_alloc*>(&failure)) return {ERROR_NOT_ENOUGH_MEMORY, L"メモリが不足しています。"};
    const std::string what = failure.what();
    return {-1, std::wstring(what.begin(), what.end())};
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

// Shortcut keys and the commands they give.
struct Shortcut {
    UINT key;
    bool control;
    UINT command;
};
constexpr Shortcut kShortcuts[] = {
    {'E', true, IDM_FILE_EXPORT}, {'F', true, IDM_FILE_EXPLORER}, {'W', true, IDM_FILE_URL},
    {'X', true, IDM_EDIT_CUT},    {'C', true, IDM_EDIT_COPY},     {'V', true, IDM_EDIT_PASTE},
    {'U', true, IDM_VIEW_UP},     {'D', true, IDM_VIEW_DOWN},     {VK_F5, false, IDM_VIEW_REFRESH},
};

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
}

bool MainWindow::Create(int showCommand) {
    Form_Initialize();

    const HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VORLEN));
    if (!RegisterClassOnce(instance_, kMainWindowClass, icon, GetSysColorBrush(COLOR_BTNFACE))) return false;
    menu_.Load(instance_);
    if (!appwizCaption_.empty()) menu_.SetCaption(IDM_TOOL_APPWIZ, appwizCaption_);

    // Open with the design size of the client area at the system's DPI.
    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, MulDiv(kDesignClientWidth, dpi, 1440), MulDiv(kDesignClientHeight, dpi, 1440)};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi);
    if (!CreateBound(WS_EX_CONTROLPARENT, kMainWindowClass, title_.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                     CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                     menu_.Bar(), instance_))
        return false;
    // The menu bar may take more or less room than one line: bring the
    // client area to the design size.
    for (int attempt = 0; attempt < 2; ++attempt) {
        RECT client{}, window{};
        GetClientRect(Hwnd(), &client);
        GetWindowRect(Hwnd(), &window);
        const int dx = MulDiv(kDesignClientWidth, dpi, 1440) - client.right;
        const int dy = MulDiv(kDesignClientHeight, dpi, 1440) - client.bottom;
        if (dx == 0 && dy == 0) break;
        SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left + dx, window.bottom - window.top + dy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(Hwnd(), showCommand);
    UpdateWindow(Hwnd());
    return true;
}

// ---- Start-up ------------------------------------------------------------

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
    appwizCaption_ =
        LoadText(program_.osName.find(L"XP") != std::wstring::npos ? IDS_APPWIZ_PROGRAMS : IDS_APPWIZ_APPLICATIONS);
}

void MainWindow::Form_Load() {
    Absorb([&] { SetUpGrid(listModel_, instance_, IDS_LIST_HEADING_NO); });
    Absorb([&] { LoadList(); });
    Absorb([&] { SortList(kListColumnDisplayName, 1); });
    Absorb([&] { listModel_.SetCol(kListColumnKeyName); });
    Absorb([&] { SetUpGrid(detailModel_, instance_, IDS_DETAIL_HEADING_NO); });
    if (!appwizCaption_.empty()) toolbar_.SetTooltip(17, appwizCaption_);
    Absorb([&] { EnableSortCommands(false); });
    filterClickActive_ = false;
}

// ---- The list -------------------------------------------------------------

void MainWindow::LoadList() {
    ScanRules rules;
    rules.settings = program_.settings;
    rules.osName = program_.osName;
    rules.hotfixOnly = toolbar_.Value(MainToolbar::kWuaucpl) != 0;
    const std::vector<ListedEntry> entries = ScanUninstallEntries(*services_.registry, rules);
    listModel_.SetVisible(false);
    FillListGrid(listModel_, entries);
    listModel_.SetVisible(true);
}

void MainWindow::SortList(int column, int direction) {
    Absorb([&] { listModel_.SetCol(column); });
    Absorb([&] {
        listModel_.Sort(column, direction == 1 ? SortDirection::Ascending : SortDirection::Descending,
                        *services_.collator);
    });
    Absorb([&] { RenumberListGrid(listModel_); });
}

void MainWindow::EnableSortCommands(bool disable) {
    for (int position = 1; position <= toolbar_.Count(); ++position)
        if (toolbar_.Key(position).compare(0, 4, L"sort") == 0) toolbar_.SetEnabled(position, !disable);
    toolbar_.SetEnabled(MainToolbar::kWuaucpl, !disable);
}

void MainWindow::grdList_RowColChange() {
    const int row = listModel_.Row();
    if (listModel_.RowHeight(row) == 0) return;
    Absorb([&] {
        for (int col = 1; col < listModel_.Cols() && col <= 3; ++col)
            info_.SetBoxText(col - 1, listModel_.Text(row, col));
    });
    Absorb([&] { info_.SetRunEnabled(!info_.BoxText(2).empty()); });
    const bool canGoDown = row < listModel_.Rows() - 1;
    toolbar_.SetEnabled(MainToolbar::kRowDown, canGoDown);
    menu_.SetEnabled(IDM_VIEW_DOWN, canGoDown);
    const bool canGoUp = row > 1;
    toolbar_.SetEnabled(MainToolbar::kRowUp, canGoUp);
    menu_.SetEnabled(IDM_VIEW_UP, canGoUp);
}

// ---- The detail view ------------------------------------------------------

void MainWindow::AddDetailRow(const std::wstring& name, const std::wstring& typeText, const std::wstring& dataText) {
    const int row = detailModel_.Rows();
    Absorb([&] { detailModel_.SetRows(row + 1); });
    Absorb([&] {
        detailModel_.SetText(row, 0, std::to_wstring(row));
        detailModel_.SetText(row, 1, name);
        detailModel_.SetText(row, 2, typeText);
        detailModel_.SetText(row, 3, dataText);
    });
    Absorb([&] { detailModel_.SetCurrentCell(row, 3); });
    Absorb([&] {
        const bool link = StartsWith(dataText, L"http://") || StartsWith(dataText, L"https://") ||
                          (!dataText.empty() && services_.desktop->NormalFileExists(dataText));
        detailModel_.SetCellForeColour(row, 3, link ? kColourBlue : kSystemWindowText);
    });
}

void MainWindow::ShowDetail() {
    // Hiding the grid while it fills would drop the keyboard focus it has.
    const bool hadFocus = GetFocus() == detailView_.Hwnd() || GetFocus() == listView_.Hwnd();
    Absorb([&] { detailModel_.SetRows(1); });
    Absorb([&] { detailModel_.SetVisible(false); });
    fillingDetail_ = true;
    Absorb([&] {
        ReadEntry(*services_.registry, info_.BoxText(0), [&](const EntryValueText& value) {
            if (fillingDetail_) AddDetailRow(value.name, value.typeText, value.dataText);
        });
    });
    fillingDetail_ = false;
    Absorb([&] { listModel_.SetEnabled(false); });
    Absorb([&] { info_.SetLocked(true); });
    Absorb([&] { info_.SetTogglesEnabled(false); });
    Absorb([&] { detailModel_.SetVisible(true); });
    if (hadFocus || !GetFocus()) SetFocus(detailView_.Hwnd());
}

void MainWindow::cmdDetail_Click() {
    if (info_.DetailCaption() == LoadText(IDS_CMD_DETAIL)) {
        Absorb([&] { info_.SetDetailCaption(LoadText(IDS_CMD_LIST)); });
        Absorb([&] { ShowDetail(); });
        Absorb([&] { EnableSortCommands(true); });
        menu_.SetChecked(IDM_VIEW_TYPE_DETAIL, true);
        menu_.SetChecked(IDM_VIEW_TYPE_LIST, false);
        menu_.SetSortMenuEnabled(false, Hwnd());
    } else {
        const bool hadFocus = GetFocus() == detailView_.Hwnd() || !GetFocus();
        Absorb([&] { info_.SetDetailCaption(LoadText(IDS_CMD_DETAIL)); });
        Absorb([&] { listModel_.SetEnabled(true); });
        Absorb([&] { detailModel_.SetVisible(false); });
        if (hadFocus) SetFocus(listView_.Hwnd());
        Absorb([&] { EnableSortCommands(false); });
        Absorb([&] { info_.SetLocked(false); });
        Absorb([&] { info_.SetTogglesEnabled(true); });
        menu_.SetChecked(IDM_VIEW_TYPE_DETAIL, false);
        menu_.SetChecked(IDM_VIEW_TYPE_LIST, true);
        menu_.SetSortMenuEnabled(true, Hwnd());
    }
}

// ---- Column filters -------------------------------------------------------

void MainWindow::chkFilter_Click(int index) {
    if (filterClickActive_) return;
    filterClickActive_ = true;
    // Release the other toggles in a fixed order; their own click events
    // come back here and return at once.
    static constexpr int kOthers[3][2] = {{1, 2}, {0, 2}, {1, 0}};
    for (int other : kOthers[index]) {
        if (info_.ToggleValue(other) == 1) {
            info_.SetToggleValue(other, 0);
            chkFilter_Click(other);
        }
    }
    filterClickActive_ = false;
    ApplyFilter(info_.ToggleValue(index), index);
}

void MainWindow::ApplyFilter(int filterValue, int column) {
    try {
        toolbar_.SetEnabled(MainToolbar::kWuaucpl, filterValue == 0);
        listModel_.SetVisible(false);
        if (filterValue != 0) {
            const int shown = ApplyColumnFilter(listModel_, column + 1, info_.BoxText(column));
            listModel_.SetFixedForeColour(kColourBlue);
            SetStatusText(FilterCountText(shown));
        } else {
            ShowAllRows(listModel_);
            listModel_.SetFixedForeColour(kSystemButtonText);
            SetStatusText(L"");
        }
        listModel_.SetVisible(true);
    } catch (const std::exception& failure) {
        listModel_.SetVisible(true);
        ShowError(LoadText(IDS_CAPTION_FILTER_ERROR), ErrorOf(failure));
    }
}

// ---- Uninstall launch -----------------------------------------------------

void MainWindow::cmdRun_Click() {
    const int answer = services_.desktop->ShowMessage(Hwnd(), LoadText(IDS_CONFIRM_UNINSTALL), kAppTitle,
                                                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDNO) return;
    try {
        const std::wstring command = info_.BoxText(2);
        if (command.empty()) return;
        // The box shows the command as stored; its variables are expanded
        // only now, so that %ProgramFiles%\… can start.
        PlatformError error;
        if (!services_.desktop->StartProcess(services_.desktop->ExpandEnvironment(command), SW_SHOWNORMAL, error))
            ShowError(LoadText(IDS_CAPTION_UNINSTALL_ERROR), error);
    } catch (const std::exception& failure) {
        ShowError(LoadText(IDS_CAPTION_UNINSTALL_ERROR), ErrorOf(failure));
    }
}

// ---- Open folder and open URL ---------------------------------------------

bool MainWindow::OpenURL(int mode) {
    try {
        const auto text = ActiveControlText();
        if (!text || !IsWebAddress(*text)) return false;
        // The address is opened as it stands: its path may be case-sensitive.
        if (mode == 1) services_.desktop->ShellOpen(Hwnd(), *text, L"", SW_SHOWNORMAL);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool MainWindow::OpenFolder(int mode) {
    try {
        const auto text = ActiveControlText();
        if (!text) return false;
        const auto path = FolderToOpen(*text);
        if (!path || !services_.desktop->PathExists(*path)) return false;
        if (mode == 1) {
            PlatformError error;
            if (!services_.desktop->StartProcess(ExplorerCommandLine(*path), SW_SHOWNORMAL, error)) return false;
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// ---- Menus, edit commands and clipboard -------------------------------------

void MainWindow::mnuFile_Click() {
    Absorb([&] { menu_.SetEnabled(IDM_FILE_EXPLORER, OpenFolder(0)); });
    Absorb([&] { menu_.SetEnabled(IDM_FILE_URL, OpenURL(0)); });
}

void MainWindow::mnuEdit_Click() {
    const FocusKind kind = FocusedKind();
    bool enable = true;
    if (kind == FocusKind::ListGrid || kind == FocusKind::DetailGrid) enable = false;
    if (kind == FocusKind::TextBox && info_.Locked()) enable = false;
    menu_.SetEnabled(IDM_EDIT_CUT, enable);
    menu_.SetEnabled(IDM_EDIT_PASTE, enable);
}

void MainWindow::mnuEditCopy_Click() {
    HWND focused = nullptr;
    const FocusKind kind = FocusedKind(&focused);
    if (kind == FocusKind::ListGrid || kind == FocusKind::DetailGrid) {
        GridModel& grid = kind == FocusKind::ListGrid ? listModel_ : detailModel_;
        GridView& view = kind == FocusKind::ListGrid ? listView_ : detailView_;
        // CopyGridToClipboard: a failure ends it quietly, the grid shown again.
        try {
            grid.SetVisible(false);
            const std::wstring text = GridBlockText(grid, L'\t');
            grid.SetVisible(true);
            SetFocus(view.Hwnd());
            services_.desktop->SetClipboardText(Hwnd(), text);
        } catch (const std::exception&) {
            grid.SetVisible(true);
        }
        return;
    }
    Absorb([&] {
        std::wstring selected;
        if (kind == FocusKind::TextBox) {
            DWORD start = 0, end = 0;
            SendMessageW(focused, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            const std::wstring text = info_.BoxText(info_.BoxIndex(focused));
            if (end > start && end <= text.size()) selected = text.substr(start, end - start);
        }
        services_.desktop->SetClipboardText(Hwnd(), selected);
    });
}

void MainWindow::mnuEditCut_Click() {
    HWND focused = nullptr;
    if (FocusedKind(&focused) != FocusKind::TextBox || info_.Locked()) return;
    Absorb([&] {
        DWORD start = 0, end = 0;
        SendMessageW(focused, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const std::wstring text = info_.BoxText(info_.BoxIndex(focused));
        const std::wstring selected = end > start && end <= text.size() ? text.substr(start, end - start) : L"";
        services_.desktop->SetClipboardText(Hwnd(), selected);
    });
    Absorb([&] { SendMessageW(focused, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"")); });
}

void MainWindow::mnuEditPaste_Click() {
    HWND focused = nullptr;
    if (FocusedKind(&focused) != FocusKind::TextBox || info_.Locked()) return;
    Absorb([&] {
        const std::wstring text = services_.desktop->ClipboardText(Hwnd());
        SendMessageW(focused, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    });
}

// ---- View menu, navigation and context menu ---------------------------------

void MainWindow::mnuView_Click() {
    Absorb([&] { menu_.SetEnabled(IDM_VIEW_DOWN, listModel_.Row() < listModel_.Rows() - 1); });
    Absorb([&] { menu_.SetEnabled(IDM_VIEW_UP, listModel_.Row() > 1); });
}

void MainWindow::mnuViewType_Click(int index) {
    if (menu_.Checked(index == 0 ? IDM_VIEW_TYPE_DETAIL : IDM_VIEW_TYPE_LIST)) return;
    cmdDetail_Click();
}

void MainWindow::mnuViewUp_Click() {
    if (listModel_.Row() <= 1) return;
    Absorb([&] { listModel_.SetRow(listModel_.Row() - 1); });
    Absorb([&] {
        if (detailModel_.Visible()) ShowDetail();
    });
}

void MainWindow::mnuViewDown_Click() {
    if (listModel_.Row() >= listModel_.Rows() - 1) return;
    Absorb([&] { listModel_.SetRow(listModel_.Row() + 1); });
    Absorb([&] {
        if (detailModel_.Visible()) ShowDetail();
    });
}

void MainWindow::mnuViewRefresh_Click() {
    Absorb([&] {
        if (detailModel_.Visible()) cmdDetail_Click();
    });
    Absorb([&] { LoadList(); });
    Absorb([&] { SortList(kListColumnDisplayName, 1); });
}

void MainWindow::grid_DblClick() {
    if (OpenFolder(0)) {
        OpenFolder(1);
        return;
    }
    if (OpenURL(0)) OpenURL(1);
}

void MainWindow::grid_MouseDown(int button) {
    if (button == 2) ShowPopupMenu();
}

void MainWindow::ShowPopupMenu() {
    Absorb([&] { menu_.SetEnabled(IDM_POPUP_EXPLORER, OpenFolder(0)); });
    Absorb([&] { menu_.SetEnabled(IDM_POPUP_URL, OpenURL(0)); });
    Absorb([&] {
        const FocusKind kind = FocusedKind();
        bool enable = true;
        if (kind == FocusKind::ListGrid || kind == FocusKind::DetailGrid) enable = false;
        if (kind == FocusKind::TextBox && info_.Locked()) enable = false;
        menu_.SetEnabled(IDM_POPUP_CUT, enable);
        menu_.SetEnabled(IDM_POPUP_PASTE, enable);
    });
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(menu_.Popup(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Hwnd(), nullptr);
}

// ---- Toolbar ----------------------------------------------------------------

void MainWindow::Toolbar1_ButtonClick(int position) {
    if (suppressToolbarClick_) return;
    const std::wstring& key = toolbar_.Key(position);
    Absorb([&] {
        if (key == L"refresh")
            mnuViewRefresh_Click();
        else if (key == L"sortkeyup")
            SortList(kListColumnKeyName, 1);
        else if (key == L"sortkeydown")
            SortList(kListColumnKeyName, -1);
        else if (key == L"sortnameup")
            SortList(kListColumnDisplayName, 1);
        else if (key == L"sortnamedown")
            SortList(kListColumnDisplayName, -1);
        else if (key == L"sortexeup")
            SortList(kListColumnUninstallString, 1);
        else if (key == L"sortexedown")
            SortList(kListColumnUninstallString, -1);
        else if (key == L"wuaucpl") {
            LoadList();
            menu_.SetChecked(IDM_VIEW_WUAU, toolbar_.Value(position) != 0);
        } else if (key == L"rowdown")
            mnuViewDown_Click();
        else if (key == L"rowup")
            mnuViewUp_Click();
        else if (key == L"reg")
            mnuToolRegedit_Click();
        else if (key == L"appwiz")
            mnuToolAppwiz_Click();
    });
}

// ---- Export -----------------------------------------------------------------

void MainWindow::mnuFileExport_Click() {
    try {
        const std::wstring path = ShowSaveDialog(IDS_FILTER_CSV, L".csv");
        if (path.empty()) return;
        const GridModel& grid = detailModel_.Visible() ? detailModel_ : listModel_;
        PlatformError error;
        if (!WriteFileReplacing(path, CsvFileBytes(grid, Win32AnsiCodec()), error)) {
            ShowError(LoadText(IDS_CAPTION_EXPORT_ERROR), error);
            return;
        }
        const int answer =
            services_.desktop->ShowMessage(Hwnd(), LoadText(IDS_EXPORT_DONE), title_, MB_YESNO | MB_ICONQUESTION);
        if (answer != IDYES) return;
        const wchar_t* windir = _wgetenv(L"windir");
        services_.desktop->ShellOpen(nullptr, path, windir ? windir : L"", SW_SHOWNORMAL);
    } catch (const std::exception& failure) {
        ShowError(LoadText(IDS_CAPTION_EXPORT_ERROR), ErrorOf(failure));
    }
}

// ---- System tools and help ------------------------------------------------

void MainWindow::mnuToolReg_Click(int index) {
    try {
        const std::wstring keyName = info_.BoxText(0);
        PlatformError error{ERROR_INVALID_NAME, L""};
        if (index == 0) {
            const auto command = RegQueryCommandLine(keyName);
            if (command && Start(*command, &error)) return;
        } else if (index == 1) {
            const std::wstring path = ShowSaveDialog(IDS_FILTER_REG, L".reg");
            if (path.empty()) return;
            // The dialog has asked before overwriting, so REG may overwrite.
            const auto command = RegExportCommandLine(keyName, path);
            if (command &&
                services_.desktop->RunAndWait(
                    *command, SW_HIDE, [this] { PumpMessages(); }, error) &&
                Start(ExplorerOnFolderCommandLine(FolderOfFile(path)), &error))
                return;
        } else {
            return;
        }
        // A key name that no command line can carry says so in the system's words.
        if (error.description.empty()) error = PlatformErrorOf(static_cast<std::uint32_t>(error.number));
        ShowError(LoadText(IDS_CAPTION_REG_ERROR), error);
    } catch (const std::exception& failure) {
        ShowError(LoadText(IDS_CAPTION_REG_ERROR), ErrorOf(failure));
    }
}

void MainWindow::mnuToolRegedit_Click() { Start(L"regedit.exe"); }

void MainWindow::mnuToolAppwiz_Click() { Start(L"control appwiz.cpl"); }

void MainWindow::mnuHelpRegsvr32_Click() { Start(L"regsvr32"); }

void MainWindow::mnuHelpMsiexec_Click() { Start(L"msiexec"); }

void MainWindow::mnuHelpHelp_Click() { services_.desktop->SendKey(VK_F1); }

void MainWindow::ShowHelp() { Start(L"hh.exe \"" + services_.executableFolder + L"\\VorlenHelp.chm\""); }

void MainWindow::mnuViewWuau_Click() {
    suppressToolbarClick_ = true;
    const bool on = !menu_.Checked(IDM_VIEW_WUAU);
    menu_.SetChecked(IDM_VIEW_WUAU, on);
    toolbar_.SetValue(MainToolbar::kWuaucpl, on ? 1 : 0);
    Absorb([&] { LoadList(); });
    suppressToolbarClick_ = false;
}

// ---- Dialogs ----------------------------------------------------------------

void MainWindow::mnuViewSettings_Click() {
    settingsChanged_ = false;
    std::optional<DisplaySettings> chosen;
    Absorb([&] { chosen = ShowSettingsDialog(Hwnd(), program_.settings); });
    if (chosen) {
        settingsChanged_ = true;
        program_.settings = *chosen;
        // The new values apply now either way; a file that cannot be written
        // is said, since they would be lost at the next start.
        bool saved = false;
        Absorb([&] {
            const auto file = services_.openSettingsFile(program_.iniFilePath);
            saved = WriteDisplaySettings(*file, program_.settings);
        });
        if (!saved) {
            std::wstring text = LoadText(IDS_SETTINGS_NOT_SAVED);
            const auto at = text.find(L"%s");
            if (at != std::wstring::npos) text.replace(at, 2, program_.iniFilePath);
            services_.desktop->ShowMessage(Hwnd(), text, kAppTitle, MB_OK | MB_ICONWARNING);
        }
    }
    if (settingsChanged_) Absorb([&] { mnuViewRefresh_Click(); });
}

void MainWindow::mnuHelpVersion_Click() {
    Absorb([&] { ShowAboutDialog(Hwnd(), *services_.desktop, *services_.registry); });
}

void MainWindow::RunCommand(UINT id) {
    switch (id) {
    case IDM_FILE_EXPLORER:
    case IDM_POPUP_EXPLORER: OpenFolder(1); break;
    case IDM_FILE_URL:
    case IDM_POPUP_URL: OpenURL(1); break;
    case IDM_FILE_END: DestroyWindow(Hwnd()); break;
    case IDM_EDIT_CUT: mnuEditCut_Click(); break;
    case IDM_EDIT_COPY:
    case IDM_POPUP_COPY: mnuEditCopy_Click(); break;
    case IDM_EDIT_PASTE: mnuEditPaste_Click(); break;
    case IDM_VIEW_UP: mnuViewUp_Click(); break;
    case IDM_VIEW_DOWN: mnuViewDown_Click(); break;
    case IDM_VIEW_TYPE_DETAIL: mnuViewType_Click(0); break;
    case IDM_VIEW_TYPE_LIST: mnuViewType_Click(1); break;
    case IDM_VIEW_REFRESH: mnuViewRefresh_Click(); break;
    case IDM_SORT_KEY_UP: SortList(kListColumnKeyName, 1); break;
    case IDM_SORT_KEY_DOWN: SortList(kListColumnKeyName, -1); break;
    case IDM_SORT_NAME_UP: SortList(kListColumnDisplayName, 1); break;
    case IDM_SORT_NAME_DOWN: SortList(kListColumnDisplayName, -1); break;
    case IDM_SORT_EXE_UP: SortList(kListColumnUninstallString, 1); break;
    case IDM_SORT_EXE_DOWN: SortList(kListColumnUninstallString, -1); break;
    case IDM_FILE_EXPORT: mnuFileExport_Click(); break;
    case IDM_TOOL_REG_QUERY: mnuToolReg_Click(0); break;
    case IDM_TOOL_REG_EXPORT: mnuToolReg_Click(1); break;
    case IDM_VIEW_WUAU: mnuViewWuau_Click(); break;
    case IDM_VIEW_SETTINGS: mnuViewSettings_Click(); break;
    case IDM_HELP_VERSION: mnuHelpVersion_Click(); break;
    case IDM_TOOL_REGEDIT: mnuToolRegedit_Click(); break;
    case IDM_TOOL_APPWIZ: mnuToolAppwiz_Click(); break;
    case IDM_HELP_HELP: mnuHelpHelp_Click(); break;
    case IDM_HELP_MSIEXEC: mnuHelpMsiexec_Click(); break;
    case IDM_HELP_REGSVR32: mnuHelpRegsvr32_Click(); break;
    default: break;
    }
}

bool MainWindow::PreTranslateMessage(MSG& message) {
    if (message.message == WM_KEYDOWN && (message.hwnd == Hwnd() || IsChild(Hwnd(), message.hwnd))) {
        const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
        for (const Shortcut& shortcut : kShortcuts) {
            if (message.wParam != shortcut.key || control != shortcut.control || alt) continue;
            // A shortcut acts on the enabled state its menu had when it last opened.
            if (menu_.Enabled(shortcut.command)) RunCommand(shortcut.command);
            return true;
        }
        if (message.wParam == VK_F1 && !control && !alt) {
            ShowHelp();
            return true;
        }
    }
    return IsDialogMessageW(Hwnd(), &message) != FALSE;
}

// ---- Messages ---------------------------------------------------------------

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        dpi_ = GetDpiForWindow(Hwnd());
        CreateControls();
        Form_Load();
        return 0;
    case WM_SIZE:
        SendMessageW(toolbar_.Hwnd(), TB_AUTOSIZE, 0, 0);
        if (statusBar_) SendMessageW(statusBar_, WM_SIZE, 0, 0);
        Absorb([&] { Form_Resize(); });
        return 0;
    case WM_COMMAND: {
        const UINT id = LOWORD(wParam);
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (control && HIWORD(wParam) == BN_CLICKED) {
            if (control == info_.DetailButton())
                cmdDetail_Click();
            else if (control == info_.RunButton())
                cmdRun_Click();
            else if (const int toggle = info_.ToggleIndex(control); toggle >= 0) {
                info_.SetToggleValue(toggle, info_.ToggleValue(toggle) ? 0 : 1);
                chkFilter_Click(toggle);
            } else if (static_cast<int>(id) > MainToolbar::kFirstCommand &&
                       static_cast<int>(id) <= MainToolbar::kFirstCommand + MainToolbar::kCount) {
                const int position = static_cast<int>(id) - MainToolbar::kFirstCommand;
                if (position == MainToolbar::kWuaucpl) toolbar_.ToggledByClick(position);
                Toolbar1_ButtonClick(position);
            }
            return 0;
        }
        if (!control) RunCommand(id);
        return 0;
    }
    case WM_INITMENUPOPUP: {
        if (HIWORD(lParam)) break;  // the system menu
        const int topLevel = menu_.TopLevelOf(reinterpret_cast<HMENU>(wParam));
        if (topLevel == MainMenu::kFile)
            mnuFile_Click();
        else if (topLevel == MainMenu::kEdit)
            mnuEdit_Click();
        else if (topLevel == MainMenu::kView)
            mnuView_Click();
        return 0;
    }
    case WM_NOTIFY:
        if (toolbar_.OnNotify(*reinterpret_cast<const NMHDR*>(lParam))) return 0;
        break;
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
    case WM_SETFOCUS: SetFocus(detailModel_.Visible() ? detailView_.Hwnd() : listView_.Hwnd()); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefaultHandling(message, wParam, lParam);
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
    info_.Place(layout, dpi_);
}

void MainWindow::CreateControls() {
    // Creation order is tab order: the list grid first, where the focus starts.
    listView_.Create(Hwnd(), IDC_GRDLIST, instance_);
    toolbar_.Create(Hwnd(), IDC_TOOLBAR1, instance_, dpi_);
    info_.Create(Hwnd(), instance_);
    detailView_.Create(Hwnd(), IDC_GRDDETAIL, instance_);
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, Hwnd(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STBMAIN)), instance_, nullptr);
    // The detail grid lies over the list grid in the same place; it is drawn
    // on top, and either one is hidden or disabled, so Tab never meets both.
    SetWindowPos(detailView_.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    listView_.SetDpi(dpi_);
    detailView_.SetDpi(dpi_);
    detailModel_.SetVisible(false);
    listModel_.SetRowColChangeHandler([this] { grdList_RowColChange(); });
    listView_.onDoubleClick = [this] { grid_DblClick(); };
    detailView_.onDoubleClick = [this] { grid_DblClick(); };
    listView_.onMouseDown = [this](int button) { grid_MouseDown(button); };
    detailView_.onMouseDown = [this](int button) { grid_MouseDown(button); };
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
    info_.SetFont(font);
    font_.reset(font);
}

// ---- Helpers ----------------------------------------------------------------

void MainWindow::ShowError(const std::wstring& caption, const PlatformError& error) {
    services_.desktop->ShowMessage(Hwnd(), FormatErrorReport(error.number, error.description), caption,
                                   MB_OK | MB_ICONERROR);
}

void MainWindow::PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the program's own message loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool MainWindow::Start(const std::wstring& commandLine, PlatformError* error) {
    PlatformError ignored;
    return services_.desktop->StartProcess(commandLine, SW_SHOWNORMAL, error ? *error : ignored);
}

std::wstring MainWindow::ShowSaveDialog(UINT filterText, const std::wstring& defaultExtension) {
    std::wstring filter = LoadText(filterText);
    for (wchar_t& c : filter)
        if (c == L'|') c = L'\0';
    return services_.desktop->ShowSaveDialog(Hwnd(), filter, defaultExtension,
                                             services_.desktop->SpecialFolder(L"Desktop"));
}

void MainWindow::SetStatusText(const std::wstring& text) {
    statusText_ = text;
    if (statusBar_) SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(statusText_.c_str()));
}

MainWindow::FocusKind MainWindow::FocusedKind(HWND* focused) const {
    const HWND control = GetFocus();
    if (focused) *focused = control;
    if (!control) return FocusKind::Other;
    if (control == listView_.Hwnd()) return FocusKind::ListGrid;
    if (control == detailView_.Hwnd()) return FocusKind::DetailGrid;
    if (info_.BoxIndex(control) >= 0) return FocusKind::TextBox;
    return FocusKind::Other;
}

std::optional<std::wstring> MainWindow::ActiveControlText() const {
    HWND focused = nullptr;
    switch (FocusedKind(&focused)) {
    case FocusKind::ListGrid: return listModel_.Text(listModel_.Row(), listModel_.Col());
    case FocusKind::DetailGrid: return detailModel_.Text(detailModel_.Row(), detailModel_.Col());
    case FocusKind::TextBox: return info_.BoxText(info_.BoxIndex(focused));
    case FocusKind::Other: break;
    }
    return std::nullopt;
}

std::wstring MainWindow::LoadText(UINT id) const { return LoadResourceText(instance_, id); }

int MainWindow::ToPixels(int twips) const { return MulDiv(twips, static_cast<int>(dpi_), 1440); }
int MainWindow::ToTwips(int pixels) const { return MulDiv(pixels, 1440, static_cast<int>(dpi_)); }

void MainWindow::PlaceTwips(HWND control, const TwipsRect& rect) const {
    if (!control) return;
    MoveWindow(control, ToPixels(rect.left), ToPixels(rect.top), ToPixels(rect.width), ToPixels(rect.height), TRUE);
}

}  // namespace vorlen
