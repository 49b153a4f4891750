// What the main window hands to process creation: every program by its full
// path in the system's folders, never one found beside Vorlen or in the
// current folder, with the command line a user knows from the menus.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_harness.h"
#include "platform/win32/system_folders.h"
#include "resources/resource.h"
#include "temp_folder.h"

using namespace vorlen;

namespace {

// The current folder for the life of a test, then the previous one again.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::wstring& folder) : previous_(MAX_PATH + 1, L'\0') {
        previous_.resize(GetCurrentDirectoryW(MAX_PATH + 1, previous_.data()));
        SetCurrentDirectoryW(folder.c_str());
    }
    ~CurrentFolder() { SetCurrentDirectoryW(previous_.c_str()); }

private:
    std::wstring previous_;
};

class ProgramLaunchTest : public ::testing::Test {
protected:
    // Stand-ins named as the system's programs lie in Vorlen's folder, which
    // is also the current folder.
    ProgramLaunchTest() : folder_(L"vorlen-program-launch"), current_(folder_.Path()), harness_(folder_.Path()) {
        for (const wchar_t* name : {L"cmd.exe", L"reg.exe", L"regedit.exe", L"control.exe", L"msiexec.exe",
                                    L"regsvr32.exe", L"hh.exe", L"explorer.exe", L"rundll32.exe"})
            TempFolder::WriteBytes(folder_.File(name), "MZ");
    }

    FakeDesktop& Desktop() { return harness_.Desktop(); }
    InfoPanel& Info() { return harness_.Window().Info(); }
    void Command(UINT id) { SendMessageW(harness_.Hwnd(), WM_COMMAND, id, 0); }
    // The uninstall command `command` typed into its box and run with Yes.
    void RunUninstall(const std::wstring& command) {
        Info().SetBoxText(InfoPanel::kCommandBox, command);
        Desktop().answers = {IDYES};
        Command(IDM_ENTRY_RUN);
    }
    std::wstring System(const wchar_t* name) const { return system_.system + L"\\" + name; }
    std::wstring Windows(const wchar_t* name) const { return system_.windows + L"\\" + name; }

    TempFolder folder_;
    CurrentFolder current_;
    MainWindowHarness harness_;
    const SystemFolders system_ = SystemFoldersOfThisSystem();
};

}  // namespace

TEST_F(ProgramLaunchTest, EveryToolIsTheSystemsOwnProgramByItsFullPath) {
    ASSERT_TRUE(harness_.Created());
    ASSERT_FALSE(system_.system.empty());
    ASSERT_FALSE(system_.windows.empty());
    harness_.Window().ListGrid().SetCurrentCell(harness_.RowOf(L"Vorlen Sample"), 1);
    Command(IDM_TOOL_REGEDIT);
    Command(IDM_TOOL_APPWIZ);
    Command(IDM_HELP_MSIEXEC);
    Command(IDM_HELP_REGSVR32);
    Command(IDM_HELP_FILE);  // F1
    Command(IDM_TOOL_REG_QUERY);
    Desktop().savePaths = {folder_.File(L"key.reg")};
    Command(IDM_TOOL_REG_EXPORT);
    SetFocus(Info().Box(InfoPanel::kCommandBox));
    Command(IDM_FILE_EXPLORER);

    struct Expected {
        std::wstring application;
        std::wstring commandLineStart;
        std::wstring workingFolder;
    };
    const std::vector<Expected> expected{
        {Windows(L"regedit.exe"), L"regedit.exe", L""},
        {System(L"control.exe"), L"control appwiz.cpl", L""},
        {System(L"msiexec.exe"), L"msiexec", L""},
        {System(L"regsvr32.exe"), L"regsvr32", L""},
        {Windows(L"hh.exe"), L"hh.exe \"" + folder_.File(L"VorlenHelp.chm") + L"\"", L""},
        // cmd.exe runs in the system folder, where it finds the system's REG first.
        {System(L"cmd.exe"), L"cmd.exe /K REG QUERY ", system_.system},
        {Windows(L"explorer.exe"), L"explorer " + folder_.Path() + L"\\", L""},
        {Windows(L"explorer.exe"), L"explorer C:\\Program Files\\Vorlen Sample", L""},
    };
    ASSERT_EQ(Desktop().started.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FakeDesktop::Started& started = Desktop().started[i];
        EXPECT_EQ(started.applicationPath, expected[i].application) << started.commandLine;
        EXPECT_EQ(started.commandLine.substr(0, expected[i].commandLineStart.size()), expected[i].commandLineStart);
        EXPECT_EQ(started.workingFolder, expected[i].workingFolder) << started.commandLine;
        EXPECT_EQ(started.commandLine.size() == expected[i].commandLineStart.size(), i < 5 || i == 6 || i == 7)
            << "the tools' command lines are exactly those of the menus: " << started.commandLine;
    }
    ASSERT_EQ(Desktop().waitedFor.size(), 1u);
    EXPECT_EQ(Desktop().waitedFor[0].applicationPath, System(L"cmd.exe"));
    EXPECT_EQ(Desktop().waitedFor[0].commandLine.rfind(L"cmd.exe /C REG EXPORT ", 0), 0u);
    EXPECT_EQ(Desktop().waitedFor[0].workingFolder, system_.system);
}

TEST_F(ProgramLaunchTest, AnUninstallCommandRunsAsTypedWithItsProgramLookedUpOnlyInTheSystemsFolders) {
    ASSERT_TRUE(harness_.Created());
    const wchar_t* msi = L"MsiExec.exe /X{6D2F5A10-0006-4B7E-9C31-5E0000000006}";
    RunUninstall(msi);
    RunUninstall(L"rundll32 shell32.dll,Control_RunDLL appwiz.cpl");
    RunUninstall(L"\"C:\\Program Files\\Vorlen Sample\\uninst.exe\" /lang=ja");
    RunUninstall(L"C:\\Program Files\\Vorlen Sample\\uninst.exe /lang=ja /S");
    RunUninstall(L"\"" + folder_.File(L"rundll32") + L"\" /x");  // named with its folder: used as it stands
    const std::vector<std::pair<std::wstring, std::wstring>> expected{
        {System(L"MsiExec.exe"), msi},
        {System(L"rundll32.exe"), L"rundll32 shell32.dll,Control_RunDLL appwiz.cpl"},
        {L"C:\\Program Files\\Vorlen Sample\\uninst.exe", L"\"C:\\Program Files\\Vorlen Sample\\uninst.exe\" /lang=ja"},
        {L"C:\\Program Files\\Vorlen Sample\\uninst.exe", L"C:\\Program Files\\Vorlen Sample\\uninst.exe /lang=ja /S"},
        {folder_.File(L"rundll32.exe"), L"\"" + folder_.File(L"rundll32") + L"\" /x"},
    };
    ASSERT_EQ(Desktop().started.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(Desktop().started[i].applicationPath, expected[i].first);
        EXPECT_EQ(Desktop().started[i].commandLine, expected[i].second);
    }

    // A program found only in a folder of PATH comes from there.
    const TempFolder tools(L"vorlen-path-tools");
    TempFolder::WriteBytes(tools.File(L"pathonly.exe"), "MZ");
    std::wstring path(32767, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), static_cast<DWORD>(path.size())));
    SetEnvironmentVariableW(L"PATH", (L".;relative;" + tools.Path() + L";" + path).c_str());
    RunUninstall(L"pathonly /uninstall");
    ASSERT_EQ(Desktop().started.size(), expected.size() + 1);
    EXPECT_EQ(Desktop().started.back().applicationPath, tools.File(L"pathonly.exe"));

    // A name that only Vorlen's folder (the current folder) holds is found
    // nowhere: the start fails as process creation reports it.
    TempFolder::WriteBytes(folder_.File(L"planted-uninstaller.exe"), "MZ");
    Desktop().messages.clear();
    RunUninstall(L"planted-uninstaller.exe /S");
    SetEnvironmentVariableW(L"PATH", path.c_str());
    EXPECT_EQ(Desktop().started.size(), expected.size() + 1);
    ASSERT_EQ(Desktop().messages.size(), 2u);
    EXPECT_EQ(Desktop().messages[1].caption, L"アンインストール実行エラー");
    EXPECT_EQ(Desktop().messages[1].text.rfind(L"実行時エラー'2'\r\n\r\n", 0), 0u) << Desktop().messages[1].text;
}
