#include <gtest/gtest.h>

#include "actions/open_target.h"

using vorlen::FolderToOpen;
using vorlen::IsWebAddress;

TEST(WebAddress, SchemeInAnyCaseQualifiesOtherSchemesAndLeadingBlanksDoNot) {
    EXPECT_TRUE(IsWebAddress(L"http://example.com/Path"));
    EXPECT_TRUE(IsWebAddress(L"https://example.com/"));
    EXPECT_TRUE(IsWebAddress(L"HTTPS://Example.COM/CaseSensitive/Path"));
    EXPECT_TRUE(IsWebAddress(L"Http://x"));
    EXPECT_FALSE(IsWebAddress(L" http://example.com"));
    EXPECT_FALSE(IsWebAddress(L"ftp://example.com"));
    EXPECT_FALSE(IsWebAddress(L"https:/example.com"));
    EXPECT_FALSE(IsWebAddress(L"http"));
    EXPECT_FALSE(IsWebAddress(L""));
}

TEST(FolderToOpen, CommandLinesGiveTheFolderOfTheirProgram) {
    EXPECT_EQ(FolderToOpen(L"\"C:\\Program Files\\App\\uninst.exe\" /S"), L"C:\\Program Files\\App");
    EXPECT_EQ(FolderToOpen(L"C:\\WINDOWS\\system32\\rundll32.exe setupapi.dll,InstallHinfSection"),
              L"C:\\WINDOWS\\system32");
    EXPECT_EQ(FolderToOpen(L"C:\\Windows"), L"C:\\Windows");
    EXPECT_EQ(FolderToOpen(L"MsiExec.exe /X{12345678-1234-1234-1234-123456789012}"), L"MsiExec");
}

TEST(FolderToOpen, TheFirstPointDecidesEvenInsideAFolderName) {
    EXPECT_EQ(FolderToOpen(L"C:\\Program Files\\Tool 1.2\\setup.exe"), L"C:\\Program Files");
}

TEST(FolderToOpen, EdgeCasesKeepQuotesOrBackslashesAsTheRuleSays) {
    EXPECT_EQ(FolderToOpen(L"\"C:\\No Point\""), L"\"C:\\No Point\"") << "no point: quotes stay";
    EXPECT_EQ(FolderToOpen(L"\"C:\\Folder\\.hidden"), L"\"C:\\Folder\\") << "ends with a backslash: kept whole";
    EXPECT_EQ(FolderToOpen(L"https://www.example.com/a"), L"https://www");
    EXPECT_FALSE(FolderToOpen(L"").has_value());
}
