// The export file's platform side: the system's ANSI conversion that refuses
// what it cannot hold, and the write that replaces a file only when complete.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/file_replace_win32.h"
#include "temp_folder.h"

using vorlen::PlatformError;
using vorlen::Win32AnsiCodec;
using vorlen::WriteFileReplacing;

namespace {

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

}  // namespace

TEST(AnsiCodec, AsciiFitsEveryCodePageAndEmptyTextIsNoBytes) {
    EXPECT_EQ(Win32AnsiCodec().Encode(L"Key,\"Tool 1.0\"\r\n"), std::optional<std::string>("Key,\"Tool 1.0\"\r\n"));
    EXPECT_EQ(Win32AnsiCodec().Encode(L""), std::optional<std::string>(""));
}

TEST(AnsiCodec, ACharacterOnlyApproximatedByTheCodePageIsRefused) {
    if (GetACP() == CP_UTF8) GTEST_SKIP() << "a UTF-8 code page holds every character";
    // Both the Western and the Japanese code page would write "A" for it.
    EXPECT_FALSE(Win32AnsiCodec().Encode(L"Tool \u0100").has_value());
}

TEST(AnsiCodec, JapaneseTextIsShiftJisUnderTheJapaneseCodePageAndRefusedUnderOthers) {
    const auto encoded = Win32AnsiCodec().Encode(L"キー名　");
    if (GetACP() == 932)
        EXPECT_EQ(encoded, std::optional<std::string>("\x83\x4C\x81\x5B\x96\xBC\x81\x40"));
    else if (GetACP() == 1252)
        EXPECT_FALSE(encoded.has_value());
    else
        GTEST_SKIP() << "code page " << GetACP() << " is neither the Japanese nor the Western one";
}

TEST(WriteFileReplacing, CreatesTheFileOrReplacesAllOfItsContent) {
    TempFolder folder(L"vorlen-replace");
    const std::wstring file = folder.File(L"list.csv");
    PlatformError error;
    ASSERT_TRUE(WriteFileReplacing(file, "first, longer content\r\n", error)) << error.number;
    EXPECT_EQ(TempFolder::ReadBytes(file), "first, longer content\r\n");

    ASSERT_TRUE(WriteFileReplacing(file, "new\r\n", error)) << error.number;
    EXPECT_EQ(TempFolder::ReadBytes(file), "new\r\n");
    ASSERT_TRUE(WriteFileReplacing(file, "", error)) << error.number;
    EXPECT_EQ(TempFolder::ReadBytes(file), "");
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::wstring>{L"list.csv"}) << "a temporary file was left";
}

TEST(WriteFileReplacing, AReadOnlyFileStaysAsItWasAndTheFailureIsReported) {
    TempFolder folder(L"vorlen-replace-ro");
    const std::wstring file = folder.File(L"locked.csv");
    TempFolder::WriteBytes(file, "old content\r\n");
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    PlatformError error;
    const bool written = WriteFileReplacing(file, "new\r\n", error);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(written);
    EXPECT_EQ(error.number, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(error.description.empty());
    EXPECT_EQ(TempFolder::ReadBytes(file), "old content\r\n");
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::wstring>{L"locked.csv"}) << "a temporary file was left";
}

TEST(WriteFileReplacing, AFileOpenInAnotherProgramStaysAsItWas) {
    TempFolder folder(L"vorlen-replace-open");
    const std::wstring file = folder.File(L"open.csv");
    TempFolder::WriteBytes(file, "old content\r\n");
    // Opened the way an editor keeps a document: others may read, not delete.
    const HANDLE open = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    PlatformError error;
    const bool written = WriteFileReplacing(file, "new\r\n", error);
    CloseHandle(open);
    EXPECT_FALSE(written);
    EXPECT_NE(error.number, 0);
    EXPECT_EQ(TempFolder::ReadBytes(file), "old content\r\n");
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::wstring>{L"open.csv"}) << "a temporary file was left";
}

TEST(WriteFileReplacing, AMissingFolderIsReportedAndNothingIsCreated) {
    TempFolder folder(L"vorlen-replace-missing");
    PlatformError error;
    EXPECT_FALSE(WriteFileReplacing(folder.File(L"no such folder\\x.csv"), "x", error));
    EXPECT_EQ(error.number, ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(error.description.empty());
    EXPECT_TRUE(FilesIn(folder.Path()).empty());
}
