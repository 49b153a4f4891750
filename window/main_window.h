#pragma once
#include <windows.h>

#include <string>

#include "controls/window_base.h"
#include "core/twips.h"
#include "platform/win32/unique_handle.h"
#include "window/main_window_parts.h"

namespace vorlen {

// The main window: the list of uninstall entries, the detail of one entry,
// and the commands around them. It handles the messages, lays the controls
// out at its DPI and hands every command, from the menus, the toolbar, the
// information frame and the shortcut keys, to one RunCommand; the command
// bodies live in files by area and work on the window's parts.
class MainWindow final : public WindowBase {
public:
    MainWindow(HINSTANCE instance, MainWindowServices services);
    ~MainWindow() override;

    // Sets up the program's state, creates the window with its list and
    // shows it; the first resize then lays it out.
    bool Create(int showCommand);
    // Shortcut keys and Tab between the controls; true when `message` was used.
    bool PreTranslateMessage(MSG& message);
    // Runs one command; a failure ends that command and leaves the window usable.
    void RunCommand(UINT command);

    MainWindowParts& Parts() { return parts_; }
    const ProgramState& Program() const { return parts_.program; }
    const std::wstring& Title() const { return parts_.title; }
    ViewMode View() const { return parts_.view; }
    GridModel& ListGrid() { return parts_.list; }
    GridModel& DetailGrid() { return parts_.detail; }
    GridView& ListGridView() { return parts_.listView; }
    GridView& DetailGridView() { return parts_.detailView; }
    InfoPanel& Info() { return parts_.info; }
    MainToolbar& Toolbar() { return parts_.toolbar; }
    MainMenu& Menu() { return parts_.menu; }
    HWND StatusBar() const { return parts_.status.Hwnd(); }
    std::wstring StatusText() const { return parts_.status.Text(); }
    // The status bar's entry panel, and whether its uninstaller note is
    // still being looked for.
    std::wstring EntryStatusText() const { return parts_.status.EntryText(); }
    bool IsUninstallerCheckPending() const { return parts_.uninstallerChecker.Busy(); }
    bool IsFirstLayoutPending() const { return firstLayout_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void InitializeProgramState();
    void OnCreate();
    void CreateControls();
    void LoadInitialList();
    void LayOut();
    void ApplyFont();
    int WidestPlaceTextPixels() const;
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnSystemSettingsChanged(UINT message, WPARAM wParam, LPARAM lParam);
    void OnActivate(bool active, bool minimized);
    void FocusControl();
    void OnMenuOpening(HMENU menu);
    void ShowContextMenu(POINT at);
    void DispatchCommand(UINT command);
    // Handles the waiting messages as the program's loop would; false once
    // the program is quitting.
    bool PumpMessages();

    MainWindowParts parts_;
    UniqueFont font_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HACCEL shortcuts_ = nullptr;  // a resource: freed with the module
    // TranslateAccelerator opens the menu of a shortcut's item for a moment;
    // the shortcut acts on the state of the menu's last real opening, so that
    // moment computes nothing.
    bool translatingShortcut_ = false;
    // The control that had the focus when the window was deactivated.
    HWND focusToRestore_ = nullptr;
    bool firstLayout_ = true;
    TwipsRect gridRect_;
};

}  // namespace vorlen
