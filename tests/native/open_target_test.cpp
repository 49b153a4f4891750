#include <gtest/gtest.h>

#include "actions/open_target.h"

using vorlen::CheckWebAddress;
using vorlen::FolderToOpen;
using vorlen::IsWebAddress;
using vorlen::kMaxWebAddressLength;
using vorlen::WebAddressCheck;

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

TEST(WebAddress, OpenableUpToTheLengthLimitAndNotOneCharacterBeyond) {
    const std::wstring scheme = L"https://example.com/";
    const std::wstring longest = scheme + std::wstring(kMaxWebAddressLength - scheme.size(), L'a');
    EXPECT_EQ(CheckWebAddress(longest), WebAddressCheck::Openable);
    EXPECT_EQ(CheckWebAddress(longest + L'a'), WebAddressCheck::TooLong);
    EXPECT_EQ(CheckWebAddress(scheme + std::wstring(70000, L'a')), WebAddressCheck::TooLong);
    EXPECT_EQ(CheckWebAddress(L"ftp://example.com/" + std::wstring(70000, L'a')), WebAddressCheck::NotWebAddress);
}

TEST(WebAddress, QuotesBlanksControlCharactersAndAngleBracketsAreRefused) {
    using namespace std::string_literals;
    EXPECT_EQ(CheckWebAddress(L"http://x/a\" --evil \"b"), WebAddressCheck::UnsafeCharacter);
    for (const wchar_t unsafe : L"\" <>\t\r\n\x1F\x7F\x85\x00A0\x3000\x2028"s)
        EXPECT_EQ(CheckWebAddress(L"http://example.com/a"s + unsafe + L"b"), WebAddressCheck::UnsafeCharacter)
            << static_cast<int>(unsafe);
    EXPECT_EQ(CheckWebAddress(L"http://example.com/a\0b"s), WebAddressCheck::UnsafeCharacter);
    // What an address may hold: its reserved characters, escapes, and letters beyond ASCII.
    EXPECT_EQ(CheckWebAddress(L"HTTPS://Example.com/Path?q=%22a%20b%22&x=1#~!$'()*+,;=:@[]"),
              WebAddressCheck::Openable);
    EXPECT_EQ(CheckWebAddress(L"http://例え.jp/ページ"), WebAddressCheck::Openable);
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
