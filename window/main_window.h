#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/profile_file.h"
#include "platform/registry.h"
#include "window/grid_model.h"
#include "window/grid_view.h"
#include "window/main_layout.h"
#include "window/program_state.h"
#include "window/text_collator.h"
#include "window/window_base.h"

namespace vorlen {

// What the main window reaches the platform through; the tests put their
// own in place of the real ones.
struct MainWindowServices {
    const RegistryReader* registry = nullptr;
    std::function<std::unique_ptr<ProfileFile>(const std::wstring& path)> openSettingsFile;
    std::function<std::wstring()> getOsName;
    std::wstring executableFolder;
    const TextCollator* collator = nullptr;
};

// frmMain: the list of uninstall entries and everything around it.
class MainWindow final : public WindowBase {
public:
    MainWindow(HINSTANCE instance, MainWindowServices services);
    ~MainWindow() override;

    // Runs the start-up steps, creates the window and shows it; the first
    // resize then lays it out.
    bool Create(int showCommand);

    const ProgramState& Program() const { return program_; }
    GridModel& ListGrid() { return listModel_; }
    GridModel& DetailGrid() { return detailModel_; }
    GridView& ListView() { return listView_; }
    const std::wstring& Title() const { return title_; }
    bool IsFirstResizePending() const { return firstResize_; }

    // Commands the user gives, reachable for the tests too.
    void LoadList();
    void SortList(int column, int direction);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Form_Initialize();
    void Form_Load();
    void Form_Resize();
    void CreateControls();
    void ApplyFont();
    std::wstring LoadText(UINT id) const;
    int ToPixels(int twips) const;
    int ToTwips(int pixels) const;
    void PlaceTwips(HWND control, const TwipsRect& rect) const;

    HINSTANCE instance_;
    MainWindowServices services_;
    ProgramState program_;
    std::wstring title_;

    GridModel listModel_;
    GridModel detailModel_;
    GridView listView_;
    GridView detailView_;
    HWND statusBar_ = nullptr;
    HFONT font_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;

    bool firstResize_ = true;
    bool fillingDetail_ = false;
    bool filterClickActive_ = false;
    TwipsRect gridRect_{kGridLeft, kGridTop, 0, 0};
};

}  // namespace vorlen
