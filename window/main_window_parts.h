#pragma once
#include <windows.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#include "controls/grid_view.h"
#include "core/program_state.h"
#include "grid/grid_model.h"
#include "inventory/inventory_scan.h"
#include "platform/platform_error.h"
#include "window/command_state.h"
#include "window/info_panel.h"
#include "window/list_grid.h"
#include "window/main_menu.h"
#include "window/main_toolbar.h"
#include "window/main_window_services.h"
#include "window/status_bar.h"
#include "window/uninstaller_checker.h"

namespace vorlen {

// What the main window's commands work on: the platform, the program's
// state, the two grids and the controls that show them. The main window owns
// one and hands it to the command functions, each file of which covers one
// area (the list, the detail view, editing, the entry's actions, the tools,
// export, settings).
//
// The program's state lives in the plain members below; the controls only
// show it, through ShowCommandStates, and nothing reads it back from them.
class MainWindowParts {
public:
    MainWindowParts(HINSTANCE instance, MainWindowServices services);
    MainWindowParts(const MainWindowParts&) = delete;
    MainWindowParts& operator=(const MainWindowParts&) = delete;

    HINSTANCE instance;
    HWND window = nullptr;  // null again once the window is destroyed
    MainWindowServices services;
    ProgramState program;
    std::wstring title;

    ViewMode view = ViewMode::List;
    bool hotfixOnly = false;
    std::optional<int> activeFilter;  // the box whose toggle is pressed
    // The entry the boxes were last filled from: its row's place and facts
    // and its uninstall command as listed. Stepping onto a row hidden by a
    // filter leaves it as it was, like the boxes.
    struct SelectedEntry {
        ListRow row;
        std::wstring uninstallString;
        std::wstring windowsListNote;  // see WindowsListNoteOfRow
    };
    std::optional<SelectedEntry> selected;
    // Rebuilds of the list under way (RebuildList), and whether the current
    // cell moved during them.
    int listRebuilds = 0;
    bool currentCellMovedInRebuild = false;
    // What the scans read, kept so that a rebuild reads only what changed.
    UninstallInventory inventory;

    GridModel list;
    GridModel detail;
    GridView listView;
    GridView detailView;
    InfoPanel info;
    MainToolbar toolbar;
    MainMenu menu;
    StatusBar status;
    // The status bar's entry panel (entry_notes): the generation of what it
    // shows, which a late answer of the uninstaller check must match, and
    // the Windows list's note shown before that answer.
    struct EntryNotes {
        std::uint32_t generation = 0;
        std::wstring windowsListText;
    };
    EntryNotes entryNotes;
    UninstallerChecker uninstallerChecker;

    std::wstring Text(UINT id) const;
    // A message box of the main window; returns the button pressed.
    int ShowMessage(const std::wstring& text, const std::wstring& caption, UINT style) const;
    // The error report: the failure's number and description under the
    // caption of the command that failed.
    void ShowError(UINT captionId, const PlatformError& error) const;
    void ShowError(UINT captionId, const std::exception& failure) const;

    // The Save-As dialog for one file type (a text "description|pattern" of
    // the string table) and "すべてのファイル(*.*)", opening on the desktop
    // folder; the chosen path, or "" when cancelled.
    std::wstring AskSavePath(UINT filterTextId, const std::wstring& defaultExtension) const;

    // The place of the selected entry, where a key name in the key-name box
    // is looked up, typed or not.
    UninstallPlace SelectedPlace() const { return selected ? selected->row.place : UninstallPlace::Machine; }

    FocusKind FocusedKind() const;
    // The text of the focused control: a box's text, or a grid's current
    // cell when it is a data cell; nothing for any other control.
    std::optional<std::wstring> FocusedText() const;

    // The snapshot the command rule reads. The File and context menus ask
    // what the focused text names, which costs a look at the file system.
    CommandSnapshot Snapshot(bool probeFocusedText) const;
    // Shows the states that follow the program's state on the toolbar, the
    // frame's buttons, toggles and boxes, the list grid and the menu items
    // that do not depend on the focus.
    void ShowCommandStates();
};

}  // namespace vorlen
