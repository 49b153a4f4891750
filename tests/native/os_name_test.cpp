#include <gtest/gtest.h>

#include "core/os_name.h"

namespace vorlen {
namespace {

constexpr std::uint32_t kNt = kPlatformWin32Nt;
constexpr std::uint32_t k9x = 1;

struct VersionCase {
    std::uint32_t major, minor, platform;
    std::wstring csd;
    std::optional<std::uint32_t> suiteMask;
    std::wstring name;
};

TEST(OsName, EveryRowOfTheVersionTable) {
    const VersionCase cases[] = {
        {3, 51, kNt, L"", 0, L"Windows NT 3.51"},
        {3, 10, k9x, L"C", 0, L"Windows NT 3.51"},
        {4, 0, k9x, L" C ", 0, L"Windows 95 OSR2"},
        {4, 0, kNt, L"C", 0, L"Windows 95 OSR2"},  // the service text is tested before the platform
        {4, 0, k9x, std::wstring(L"C\0junk", 6), 0, L"Windows 95 OSR2"},
        {4, 0, k9x, L"c", 0, L"Windows 95"},
        {4, 0, k9x, L"", 0, L"Windows 95"},
        {4, 0, kNt, L"Service Pack 6", 0, L"Windows NT 4.0"},
        {4, 10, k9x, L" A ", 0, L"Windows 98 SE"},
        {4, 10, k9x, L"a", 0, L"Windows 98"},
        {4, 90, k9x, L"A", 0, L"Windows Me"},
        {4, 3, k9x, L"", 0, L""},
        {4, 91, k9x, L"", 0, L""},
        {5, 0, kNt, L"", 0, L"Windows 2000"},
        {5, 0, kNt, L"", std::nullopt, L""},  // the extended query failed
        {5, 1, kNt, L"Service Pack 3", std::nullopt, L""},
        {5, 1, kNt, L"", 0x0200, L"Windows XP Home Edition"},
        {5, 1, kNt, L"", 0xFFFF, L"Windows XP Home Edition"},
        {5, 1, kNt, L"", 0x0100, L"Windows XP Professional Edition"},
        {5, 1, kNt, L"", 0x02000000, L"Windows XP Professional Edition"},  // only the low word counts
        {5, 2, kNt, L"", 0, L""},
        {6, 0, kNt, L"", 0, L""},
        {10, 0, kNt, L"", 0, L""},
        {2, 0, kNt, L"", 0, L""},
    };
    for (const VersionCase& c : cases) {
        EXPECT_EQ(OsNameFromVersion(OsVersion{c.major, c.minor, c.platform, c.csd, c.suiteMask}), c.name)
            << c.major << "." << c.minor << " platform " << c.platform;
    }
}

TEST(OsName, HelpersAndTitle) {
    EXPECT_EQ(TrimNull(L"  Service Pack 2  "), L"Service Pack 2");
    EXPECT_EQ(TrimNull(std::wstring(L" A \0 B ", 7)), L"A");
    EXPECT_EQ(TrimNull(std::wstring(L"\0abc", 4)), L"");
    EXPECT_EQ(TrimNull(L"   "), L"");
    EXPECT_EQ(TrimNull(L"\tA\t"), L"\tA\t");
    EXPECT_EQ(LowWord(-1), 0xFFFF);
    EXPECT_EQ(LowWord(0x12345678), 0x5678);
    EXPECT_EQ(MainWindowTitle(L""), L"Vorlen");
    EXPECT_EQ(MainWindowTitle(L"Windows 2000"), L"Vorlen [Windows 2000]");
}

}  // namespace
}  // namespace vorlen
