// The real desktop's Save-As dialog record and its wait for a process.
#include <gtest/gtest.h>

#include "platform/win32/desktop_win32.h"
#include "temp_folder.h"

using vorlen::SaveDialogRecord;

namespace {

// The filter list up to and including its closing second NUL.
std::wstring FilterList(const wchar_t* filters) {
    const wchar_t* end = filters;
    while (end[0] || end[1]) ++end;
    return std::wstring(filters, end + 2);
}

}  // namespace

TEST(SaveDialogRecord, AcceptsANewNameAsksBeforeOverwritingAndOffersEveryFileSecond) {
    using namespace std::string_literals;
    SaveDialogRecord dialog(nullptr, L"登録エントリ(*.reg)\0*.reg"s, L".reg", L"C:\\users\\Public\\Desktop");
    const OPENFILENAMEW& record = dialog.Record();
    EXPECT_EQ(record.Flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST));
    EXPECT_EQ(FilterList(record.lpstrFilter), L"登録エントリ(*.reg)\0*.reg\0すべてのファイル(*.*)\0*.*\0\0"s);
    EXPECT_STREQ(record.lpstrDefExt, L"reg");
    EXPECT_STREQ(record.lpstrInitialDir, L"C:\\users\\Public\\Desktop");
    EXPECT_STREQ(record.lpstrTitle, L"名前を付けて保存");

    SaveDialogRecord plain(nullptr, L"", L".csv", L"");
    EXPECT_EQ(FilterList(plain.Record().lpstrFilter), L"すべてのファイル(*.*)\0*.*\0\0"s);
    EXPECT_STREQ(plain.Record().lpstrDefExt, L"");
    EXPECT_EQ(plain.Record().lpstrInitialDir, nullptr);
}

// ---------------------------------------------------------------------------
// Waiting for a process while the window's messages are handled.

namespace {

using Outcome = vorlen::Desktop::WaitOutcome;

// Handles every waiting message; false once the quit request is among them.
bool PumpUntilQuit() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message == WM_QUIT) return false;
    return true;
}

// Handles every waiting message, a quit left over from an earlier test included.
bool PumpOn() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {}
    return true;
}

}  // namespace

TEST(DesktopRunAndWait, WaitsForTheProcessToEnd) {
    TempFolder folder(L"vorlen-wait");
    const std::wstring done = folder.File(L"done.txt");
    vorlen::Win32Desktop desktop;
    vorlen::PlatformError error;
    // The file appears only after about a second, just before the process ends.
    const Outcome outcome = desktop.RunAndWait(L"cmd.exe /C ping -n 2 127.0.0.1 >NUL & echo done>\"" + done + L"\"",
                                               SW_HIDE, PumpOn, error);
    EXPECT_EQ(outcome, Outcome::Ended);
    EXPECT_TRUE(TempFolder::Exists(done));
}

TEST(DesktopRunAndWait, AQuitRequestEndsTheWaitAtOnceWithoutSpinning) {
    vorlen::Win32Desktop desktop;
    vorlen::PlatformError error;
    int turns = 0;
    PostQuitMessage(0);
    const Outcome outcome = desktop.RunAndWait(
        L"cmd.exe /C ping -n 3 127.0.0.1 >NUL", SW_HIDE,
        [&] {
            ++turns;
            return PumpUntilQuit();
        },
        error);
    EXPECT_EQ(outcome, Outcome::StoppedWaiting);
    EXPECT_EQ(turns, 1);
}

// The lookups take a name as a name: a pattern matches nothing, even where
// files would match it, and a folder answers with or without its backslash.
TEST(DesktopLookups, NamesAreNeverExpandedAsPatterns) {
    const TempFolder folder(L"vorlen-desktop-lookups");
    TempFolder::WriteBytes(folder.File(L"setup.exe"), "MZ");
    TempFolder::WriteBytes(folder.File(L"hidden.exe"), "MZ");
    SetFileAttributesW(folder.File(L"hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
    vorlen::Win32Desktop desktop;
    EXPECT_TRUE(desktop.NormalFileExists(folder.File(L"setup.exe")));
    EXPECT_FALSE(desktop.NormalFileExists(folder.File(L"hidden.exe")));
    EXPECT_FALSE(desktop.NormalFileExists(folder.Path())) << "a folder is no file";
    EXPECT_TRUE(desktop.PathExists(folder.Path()));
    EXPECT_TRUE(desktop.PathExists(folder.Path() + L"\\"));
    for (const std::wstring& pattern : {folder.File(L"*"), folder.File(L"setup.ex?"), folder.File(L"*.exe"),
                                        std::wstring(L"C:\\*"), std::wstring(L"\\\\?\\") + folder.File(L"*")}) {
        EXPECT_FALSE(desktop.NormalFileExists(pattern)) << pattern;
        EXPECT_FALSE(desktop.PathExists(pattern)) << pattern;
    }
    EXPECT_FALSE(desktop.IsNetworkDrive(L'C')) << "the prefix's system drive is a local one";
}
