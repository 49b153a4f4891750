// The display settings read from and written to Kestrin.ini through the
// system's real profile functions.
#include <gtest/gtest.h>

#include "platform/display_settings_file.h"
#include "platform/win32/profile_win32.h"
#include "temp_folder.h"

using vorlen::DisplaySettings;
using vorlen::ReadDisplaySettings;
using vorlen::Win32ProfileFile;
using vorlen::WriteDisplaySettings;

namespace {

DisplaySettings ReadFrom(const std::wstring& path) { return ReadDisplaySettings(Win32ProfileFile(path)); }

void ExpectSettings(const DisplaySettings& s, int displayName, int uninstallString, int noHotfix) {
    EXPECT_EQ(s.displayName, displayName);
    EXPECT_EQ(s.uninstallString, uninstallString);
    EXPECT_EQ(s.noHotfix, noHotfix);
}

}  // namespace

TEST(SettingsFile, MissingFileSectionOrKeyGivesTheDefaults) {
    TempFolder folder(L"vorlen-settings");
    ExpectSettings(ReadFrom(folder.File(L"Kestrin.ini")), 1, 1, 1);

    TempFolder::WriteBytes(folder.File(L"Other.ini"), "[Elsewhere]\r\nDisplayName=0\r\n");
    ExpectSettings(ReadFrom(folder.File(L"Other.ini")), 1, 1, 1);

    TempFolder::WriteBytes(folder.File(L"Partial.ini"), "[Settings]\r\nNoHotfix=0\r\n");
    ExpectSettings(ReadFrom(folder.File(L"Partial.ini")), 1, 1, 0);
}

TEST(SettingsFile, ValuesConvertAsSixteenBitNumbers) {
    TempFolder folder(L"vorlen-settings");
    const std::wstring path = folder.File(L"Kestrin.ini");
    TempFolder::WriteBytes(path, "[Settings]\r\nDisplayName=\r\nUninstallString= 1 \r\nNoHotfix=2\r\n");
    ExpectSettings(ReadFrom(path), 0, 1, 2);

    TempFolder::WriteBytes(path, "[Settings]\r\nDisplayName=abc\r\nUninstallString=0.5\r\nNoHotfix=1.5\r\n");
    ExpectSettings(ReadFrom(path), 0, 0, 2);

    // Out of range: the conversion fails and the setting keeps what it had.
    TempFolder::WriteBytes(path, "[Settings]\r\nDisplayName=40000\r\n");
    DisplaySettings before;
    before.displayName = 7;
    EXPECT_EQ(ReadDisplaySettings(Win32ProfileFile(path), before).displayName, 7);
}

TEST(SettingsFile, FirstWriteCreatesTheFileWithTheSectionAndThreeKeys) {
    TempFolder folder(L"vorlen-settings");
    const std::wstring path = folder.File(L"Kestrin.ini");
    ASSERT_FALSE(TempFolder::Exists(path));
    Win32ProfileFile file(path);
    DisplaySettings settings;
    settings.displayName = 0;
    settings.uninstallString = 1;
    settings.noHotfix = 0;
    EXPECT_TRUE(WriteDisplaySettings(file, settings));

    const std::string content = TempFolder::ReadBytes(path);
    const auto section = content.find("[Settings]");
    const auto first = content.find("DisplayName=0");
    const auto second = content.find("UninstallString=1");
    const auto third = content.find("NoHotfix=0");
    ASSERT_NE(section, std::string::npos) << content;
    ASSERT_NE(third, std::string::npos) << content;
    EXPECT_LT(section, first);
    EXPECT_LT(first, second);
    EXPECT_LT(second, third);
    ExpectSettings(ReadFrom(path), 0, 1, 0);
}

TEST(SettingsFile, WritingLeavesOtherSectionsAndKeysAlone) {
    TempFolder folder(L"vorlen-settings");
    const std::wstring path = folder.File(L"Kestrin.ini");
    TempFolder::WriteBytes(path, "[Window]\r\nLeft=10\r\n[Settings]\r\nComment=kept\r\nNoHotfix=1\r\n");
    Win32ProfileFile file(path);
    DisplaySettings settings;  // all three 0
    EXPECT_TRUE(WriteDisplaySettings(file, settings));

    EXPECT_EQ(file.Read(L"Left", L"Window", L""), L"10");
    EXPECT_EQ(file.Read(L"Comment", L"Settings", L""), L"kept");
    ExpectSettings(ReadFrom(path), 0, 0, 0);
}

TEST(SettingsFile, AWriteThatCannotBeDoneReportsFailure) {
    Win32ProfileFile file(L"Q:\\no-such-drive\\no-such-folder\\Kestrin.ini");
    EXPECT_FALSE(file.Write(L"1", L"DisplayName", L"Settings"));
}

TEST(SettingsFile, AReadOnlyFileIsLeftAsItWasAndTheWriteFails) {
    TempFolder folder(L"vorlen-settings");
    const std::wstring path = folder.File(L"Kestrin.ini");
    const std::string before = "[Settings]\r\nDisplayName=1\r\nUninstallString=1\r\nNoHotfix=1\r\n";
    TempFolder::WriteBytes(path, before);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Win32ProfileFile file(path);
    EXPECT_FALSE(WriteDisplaySettings(file, DisplaySettings{}));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(TempFolder::ReadBytes(path), before);
}
