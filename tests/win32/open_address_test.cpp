// Web addresses opened through the real shell in the hostile prefix, whose
// http and https handler is a program that logs its command line: only an
// address valid as it stands reaches it, whole, as one argument, letter case
// kept; a hostile one reaches nothing and ends nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/open_target.h"
#include "platform/win32/desktop_win32.h"
#include "temp_folder.h"

using vorlen::WebAddressCheck;

namespace {

constexpr wchar_t kBrowserLog[] = L"C:\\vorlen-browser-log.txt";
constexpr char kBrowser[] = "\"C:\\Program Files\\Vorlen Log Browser\\vorlen-log-browser.exe\" ";

// Opens the address as the open-address command does: only when the rule lets it.
WebAddressCheck Open(vorlen::Desktop& desktop, const std::wstring& address) {
    const WebAddressCheck check = vorlen::CheckWebAddress(address);
    if (check == WebAddressCheck::Openable) desktop.ShellOpen(nullptr, address, L"", SW_SHOWNORMAL);
    return check;
}

// The log's lines once it holds `count`, waiting up to 20 s for the handler to start.
std::vector<std::string> BrowserLogLines(std::size_t count) {
    std::vector<std::string> lines;
    for (int attempt = 0; attempt < 200 && lines.size() < count; ++attempt) {
        Sleep(100);
        lines.clear();
        const std::string log = TempFolder::ReadBytes(kBrowserLog);
        for (std::size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(log.substr(start, end - start));
    }
    return lines;
}

}  // namespace

TEST(HostileWebAddress, OnlyAnAddressValidAsItStandsReachesTheBrowserAsOneArgument) {
    DeleteFileW(kBrowserLog);
    vorlen::Win32Desktop desktop;
    EXPECT_EQ(Open(desktop, L"http://x.example/a\" --evil \"b"), WebAddressCheck::UnsafeCharacter);
    EXPECT_EQ(Open(desktop, L"http://x.example/a b"), WebAddressCheck::UnsafeCharacter);
    EXPECT_EQ(Open(desktop, L"https://x.example/" + std::wstring(70000, L'a')), WebAddressCheck::TooLong);
    EXPECT_EQ(Open(desktop, L"HTTPS://X.example/Path?Q=%22a%20b%22"), WebAddressCheck::Openable);
    EXPECT_EQ(BrowserLogLines(1),
              std::vector<std::string>{kBrowser + std::string("\"HTTPS://X.example/Path?Q=%22a%20b%22\"")});
}
