#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "grid/grid_model.h"
#include "grid/text_collator.h"
#include "platform/desktop.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/win32/unique_handle.h"
#include "window/grid_view.h"
#include "window/info_panel.h"
#include "window/main_layout.h"
#include "window/main_menu.h"
#include "window/main_toolbar.h"
#include "window/program_state.h"
#include "window/window_base.h"

namespace vorlen {

// What the main window reaches the platform through; the tests put their
// own in place of the real ones.
struct MainWindowServices {
    const RegistryReader* registry = nullptr;
    Desktop* desktop = nullptr;
    std::function<std::unique_ptr<ProfileFile>(const std::wstring& path)> openSettingsFile;
    std::function<std::wstring()> getOsName;
    std::wstring executableFolder;
    const TextCollator* collator = nullptr;
};

// frmMain: the list of uninstall entries, the detail of one entry, and the
// commands around them. Its handlers carry the names of the events they
// answer; each deals with failures at its own boundary.
class MainWindow final : public WindowBase {
public:
    MainWindow(HINSTANCE instance, MainWindowServices services);
    ~MainWindow() override;

    // Runs the start-up steps, creates the window and shows it; the first
    // resize then lays it out.
    bool Create(int showCommand);
    // Shortcut keys and Tab between the controls; true when `message` was used.
    bool PreTranslateMessage(MSG& message);

    const ProgramState& Program() const { return program_; }
    GridModel& ListGrid() { return listModel_; }
    GridModel& DetailGrid() { return detailModel_; }
    GridView& ListGridView() { return listView_; }
    GridView& DetailGridView() { return detailView_; }
    InfoPanel& Info() { return info_; }
    MainToolbar& Toolbar() { return toolbar_; }
    MainMenu& Menu() { return menu_; }
    HWND StatusBar() const { return statusBar_; }
    std::wstring StatusText() const { return statusText_; }
    const std::wstring& Title() const { return title_; }
    bool IsFirstResizePending() const { return firstResize_; }
    bool IsDetailMode() const { return detailModel_.Visible(); }

    // The program's procedures and event handlers.
    void LoadList();
    void SortList(int column, int direction);
    void EnableSortCommands(bool disable);
    void grdList_RowColChange();
    void AddDetailRow(const std::wstring& name, const std::wstring& typeText, const std::wstring& dataText);
    void ShowDetail();
    void cmdDetail_Click();
    void chkFilter_Click(int index);
    void ApplyFilter(int filterValue, int column);
    void cmdRun_Click();
    bool OpenURL(int mode);
    bool OpenFolder(int mode);
    void mnuFile_Click();
    void mnuEdit_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuView_Click();
    void mnuViewType_Click(int index);
    void mnuViewUp_Click();
    void mnuViewDown_Click();
    void mnuViewRefresh_Click();
    void grid_DblClick();
    void grid_MouseDown(int button);
    void ShowPopupMenu();
    void Toolbar1_ButtonClick(int position);
    void mnuFileExport_Click();
    void mnuToolReg_Click(int index);
    void mnuToolRegedit_Click();
    void mnuToolAppwiz_Click();
    void mnuHelpRegsvr32_Click();
    void mnuHelpMsiexec_Click();
    void mnuHelpHelp_Click();
    void mnuViewWuau_Click();
    void mnuViewSettings_Click();
    void mnuHelpVersion_Click();
    bool SettingsChanged() const { return settingsChanged_; }
    // F1: the program's help file beside the executable.
    void ShowHelp();
    // Runs a command of the menu bar, the context menu or a shortcut.
    void RunCommand(UINT id);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void CreateControls();
    void ApplyFont();
    void ShowError(const std::wstring& caption, const PlatformError& error);
    // Handles the waiting messages as the program's loop would.
    void PumpMessages();
    // Starts a command line in a normal window; false when it could not start.
    bool Start(const std::wstring& commandLine, PlatformError* error = nullptr);
    // The Save-As dialog for one file type (a resource text "description|pattern"),
    // opening on the desktop folder.
    std::wstring ShowSaveDialog(UINT filterText, const std::wstring& defaultExtension);
    void SetStatusText(const std::wstring& text);
    // The text of the focused control: a box's text or a grid's current cell;
    // empty when the focused control has none.
    std::optional<std::wstring> ActiveControlText() const;
    enum class FocusKind { ListGrid, DetailGrid, TextBox, Other };
    FocusKind FocusedKind(HWND* focused = nullptr) const;
    std::wstring LoadText(UINT id) const;
    int ToPixels(int twips) const;
    int ToTwips(int pixels) const;
    void PlaceTwips(HWND control, const TwipsRect& rect) const;

    HINSTANCE instance_;
    MainWindowServices services_;
    ProgramState program_;
    std::wstring title_;
    std::wstring appwizCaption_;

    GridModel listModel_;
    GridModel detailModel_;
    GridView listView_;
    GridView detailView_;
    MainToolbar toolbar_;
    InfoPanel info_;
    MainMenu menu_;
    HWND statusBar_ = nullptr;
    std::wstring statusText_;
    UniqueFont font_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;

    bool firstResize_ = true;
    bool fillingDetail_ = false;
    bool filterClickActive_ = false;
    bool suppressToolbarClick_ = false;
    bool settingsChanged_ = false;
    TwipsRect gridRect_{kGridLeft, kGridTop, 0, 0};
};

}  // namespace vorlen
