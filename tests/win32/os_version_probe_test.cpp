// Run once per Windows version by tests/win32/os-versions, with the prefix
// reporting that version to this program: the name and the window title a
// user sees. Left out of the ordinary run, which has no expected name.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/os_name.h"
#include "main_window_harness.h"
#include "platform/win32/os_version_win32.h"
#include "temp_folder.h"

namespace {

bool ExpectedName(std::wstring& name) {
    const wchar_t* value = _wgetenv(L"VORLEN_EXPECTED_OS_NAME");
    if (!value) return false;
    name = value;
    return true;
}

}  // namespace

TEST(OsVersionProbe, NameAndTitleFollowTheReportedVersion) {
    std::wstring expected;
    ASSERT_TRUE(ExpectedName(expected)) << "run through tests/win32/os-versions";
    const auto version = vorlen::QueryOsVersion();
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(vorlen::GetOSName(), expected)
        << "reported " << version->major << "." << version->minor << " platform " << version->platformId;

    TempFolder folder(L"vorlen-os-probe");
    MainWindowHarness harness(folder.Path());
    ASSERT_TRUE(harness.Created());
    EXPECT_EQ(harness.WindowText(), expected.empty() ? L"Vorlen" : L"Vorlen [" + expected + L"]");
}
