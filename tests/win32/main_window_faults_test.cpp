// Faults at the main window's edges: a failure's description in the
// system's code page, and commands that arrive once the window is gone.
#include <windows.h>
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "controls/window_base.h"
#include "main_window_harness.h"
#include "resources/resource.h"
#include "temp_folder.h"

using namespace vorlen;

TEST(MainWindowFaults, AFailuresDescriptionIsReadInTheAnsiCodePage) {
    if (GetACP() != 932) GTEST_SKIP() << "the prefix's ANSI code page is not 932";
    TempFolder folder(L"vorlen-main-window-faults");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    // "ファイル" in code page 932, as a runtime's message would hold it.
    harness.Window().Parts().ShowError(IDS_CAPTION_EXPORT_ERROR,
                                       std::runtime_error("\x83\x74\x83\x40\x83\x43\x83\x8B"));
    ASSERT_EQ(harness.Desktop().messages.size(), 1u);
    EXPECT_NE(harness.Desktop().messages[0].text.find(L"ファイル"), std::wstring::npos)
        << harness.Desktop().messages[0].text;
}

TEST(MainWindowFaults, ACommandAfterExitFindsNothingToActOn) {
    TempFolder folder(L"vorlen-main-window-faults");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    MainWindow& window = harness.Window();
    const int row = window.ListGrid().Row();
    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_FILE_END, 0);
    ASSERT_EQ(window.Hwnd(), nullptr) << "終了 destroys the window";
    window.RunCommand(IDM_VIEW_DOWN);
    window.RunCommand(IDM_ENTRY_DETAIL);
    EXPECT_EQ(window.ListGrid().Row(), row);
    EXPECT_EQ(window.View(), ViewMode::List);
}

// The window closed while REG EXPORT's process is awaited: the wait ends,
// nothing more is started or said, and no state is shown on the destroyed
// controls.
TEST(MainWindowFaults, AWindowClosedDuringTheExportWaitEndsTheCommandThere) {
    TempFolder folder(L"vorlen-main-window-faults");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    FakeDesktop& desktop = harness.Desktop();
    desktop.savePaths = {folder.File(L"entry.reg")};
    desktop.pumpWhileWaiting = true;
    PostMessageW(harness.Hwnd(), WM_CLOSE, 0, 0);
    SendMessageW(harness.Hwnd(), WM_COMMAND, IDM_TOOL_REG_EXPORT, 0);
    EXPECT_EQ(harness.Window().Hwnd(), nullptr);
    EXPECT_EQ(desktop.waitedFor.size(), 1u);
    EXPECT_TRUE(desktop.started.empty()) << "no Explorer on the exported file";
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(harness.Window().Parts().window, nullptr);
}

namespace {

// A window whose handler fails as a programming error or for lack of memory.
class FailingWindow final : public vorlen::WindowBase {
public:
    static constexpr UINT kFault = WM_APP;
    static constexpr UINT kNoMemory = WM_APP + 1;
    bool Create() {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        return RegisterClassOnce(instance, L"VorlenFailingWindow", nullptr, nullptr) &&
               CreateBound(0, L"VorlenFailingWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance);
    }
    ~FailingWindow() override {
        if (Hwnd()) DestroyWindow(Hwnd());
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kFault) throw std::logic_error("a handler's fault");
        if (message == kNoMemory) throw std::bad_alloc();
        return DefaultHandling(message, wParam, lParam);
    }
};

}  // namespace

// The tests are built with assertions on: a fault that reaches the window
// procedure stops the program instead of passing unnoticed.
TEST(WindowBaseDeathTest, AFaultEscapingAHandlerStopsTheTestsButALackOfMemoryDoesNot) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    FailingWindow window;
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(SendMessageW(window.Hwnd(), FailingWindow::kNoMemory, 0, 0), 0);
    EXPECT_DEATH(SendMessageW(window.Hwnd(), FailingWindow::kFault, 0, 0), "nothing reports reached a boundary");
}
