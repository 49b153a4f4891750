#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "core/network_path.h"

using vorlen::IsNetworkOrDevicePath;

TEST(NetworkPath, NetworkAndDevicePathsInEverySpellingAreRecognised) {
    for (const wchar_t* path : {L"\\\\host\\share\\setup.exe", L"//host/share/setup.exe", L"\\/host\\share",
                                L"  \\\\host\\share", L"\\\\?\\UNC\\host\\share\\a.exe", L"\\\\?\\unc\\host\\share",
                                L"\\\\.\\UNC\\host\\share", L"//?/UNC/host/share", L"\\\\.\\pipe\\name", L"\\\\.\\COM1",
                                L"\\\\?\\GLOBALROOT\\Device\\Mup\\host\\share", L"\\??\\UNC\\host\\share", L"\\\\"})
        EXPECT_TRUE(IsNetworkOrDevicePath(path)) << path;
}

TEST(NetworkPath, LocalPathsAndTheLongFormsOfADriveAreNot) {
    for (const wchar_t* path :
         {L"C:\\Program Files\\App\\uninst.exe", L"c:/windows", L"\\Windows\\system32", L"/tmp", L"MsiExec.exe /X{1}",
          L"\\\\?\\C:\\Program Files\\App", L"\\\\.\\C:\\Windows", L"\\\\?\\D:", L"\\??\\C:\\Windows",
          L"\"\\\\host\\share\\a.exe\"", L"https://host/share", L""})
        EXPECT_FALSE(IsNetworkOrDevicePath(path)) << path;
}

TEST(NetworkPath, TheDriveLetterIsFoundInEveryFormThatNamesADrive) {
    using vorlen::DriveLetterOf;
    for (const wchar_t* path : {L"Z:\\app\\setup.exe", L"z:/app", L"  Z:\\app", L"Z:", L"Z:relative\\to\\z",
                                L"\\\\?\\Z:\\app", L"\\\\.\\z:\\app", L"//?/Z:/app", L"\\??\\Z:\\app"})
        EXPECT_EQ(DriveLetterOf(path), std::optional<wchar_t>(L'Z')) << path;
    for (const wchar_t* path : {L"app\\setup.exe", L"\\app", L"\\\\host\\Z:\\app", L"\\\\?\\UNC\\host\\share",
                                L"\"Z:\\app\"", L"1:\\app", L"", L"\\\\?\\Zx:\\app"})
        EXPECT_EQ(DriveLetterOf(path), std::nullopt) << path;
}

TEST(NetworkPath, NetworkDrivesNetworkPathsAndWildcardsAreNeverLookedUp) {
    using vorlen::MayLookUpPath;
    std::vector<wchar_t> asked;
    const auto zIsNetwork = [&](wchar_t drive) {
        asked.push_back(drive);
        return drive == L'Z';
    };
    // A mapped network letter reaches a server like a UNC path, in any spelling.
    for (const wchar_t* path : {L"Z:\\app\\setup.exe", L"z:\\app", L"\\\\?\\Z:\\app", L"Z:app"})
        EXPECT_FALSE(MayLookUpPath(path, zIsNetwork)) << path;
    // A pattern names no one file: never a match, on any drive.
    for (const wchar_t* path : {L"C:\\*", L"C:\\Windows\\notepad.ex?", L"\\\\?\\C:\\*", L"*", L"a?b"})
        EXPECT_FALSE(MayLookUpPath(path, zIsNetwork)) << path;
    EXPECT_FALSE(MayLookUpPath(L"\\\\host\\share\\a.exe", zIsNetwork));
    asked.clear();
    for (const wchar_t* path : {L"C:\\Windows\\notepad.exe", L"\\\\?\\C:\\Windows", L"relative\\file.txt", L""})
        EXPECT_TRUE(MayLookUpPath(path, zIsNetwork)) << path;
    EXPECT_EQ(asked, (std::vector<wchar_t>{L'C', L'C'})) << "only a drive letter is asked about";
}
