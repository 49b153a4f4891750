#include <gtest/gtest.h>

#include "inventory/hotfix.h"

namespace vorlen {
namespace {

struct HotfixCase {
    const wchar_t* os;
    const wchar_t* displayName;
    const wchar_t* keyName;
    bool hotfix;
};

constexpr const wchar_t* kXp = L"Windows XP Professional Edition";
constexpr const wchar_t* k2000 = L"Windows 2000";
constexpr const wchar_t* kSecurityUpdate = L"Windows XP 用セキュリティ更新プログラム (KB896358)";

TEST(Hotfix, RulesOfEachWindowsVersion) {
    const HotfixCase cases[] = {
        // XP prefixes, under any key name
        {kXp, L"Windows XP ホットフィックス - KB123456", L"Q1", true},
        {kXp, L"Windows XP Hotfix", L"", true},
        {L"Windows XP Home Edition", L"Windows XP 更新 (KB1)", L"x", true},
        {kXp, L"Windows XP セキュリティ", L"x", true},
        // near misses of the prefixes
        {kXp, L"Windows XP hotfix - KB873339", L"Q873339", false},
        {kXp, L"Microsoft Windows XP Hotfix", L"Q1", false},
        {kXp, L"Windows XP  Hotfix", L"Q1", false},
        {kXp, L"Windows　XP Hotfix", L"Q1", false},  // ideographic space
        {kXp, L"Ｗindows XP Hotfix", L"Q1", false},  // full-width letter
        // update descriptions anywhere, under a key name that begins with exactly "KB"
        {kXp, kSecurityUpdate, L"KB896358", true},
        {kXp, L"Media Player 用セキュリティ問題の修正プログラム", L"KB", true},
        {kXp, L"x Security Update for Microsoft .NET Framework 2.0", L"KBx", true},
        {kXp, L"Windows XP hotfix セキュリティ更新プログラム", L"KB1", true},
        {kXp, kSecurityUpdate, L"kb896358", false},
        {kXp, kSecurityUpdate, L"Kb896358", false},
        {kXp, kSecurityUpdate, L"K", false},
        {kXp, kSecurityUpdate, L"", false},
        {kXp, kSecurityUpdate, L"xKB896358", false},
        {kXp, kSecurityUpdate, L"ＫＢ896358", false},
        {kXp, L"Some Program", L"KB896358", false},
        {kXp, L"security update for microsoft .net framework", L"KB1", false},
        {kXp, L"", L"KB1", false},
        // Windows 2000 has one prefix
        {k2000, L"Windows 2000 ホットフィックス - KB893066", L"", true},
        {k2000, L"Windows 2000 Hotfix", L"KB1", false},
        {k2000, L"Windows XP Hotfix - KB1", L"KB1", false},
        {k2000, kSecurityUpdate, L"KB1", false},
        {k2000, L"", L"", false},
        // other versions have none; "XP" is looked for before "2000"
        {L"", L"Windows XP Hotfix", L"KB1", false},
        {L"Windows 98", L"Windows 2000 ホットフィックス", L"KB1", false},
        {L"windows xp", L"Windows XP Hotfix", L"KB1", false},
        {L"XP 2000", L"Windows XP Hotfix", L"", true},
        {L"XP 2000", L"Windows 2000 ホットフィックス", L"", false},
    };
    for (const HotfixCase& c : cases) {
        EXPECT_EQ(IsHotfix(c.os, c.displayName, c.keyName), c.hotfix)
            << ::testing::PrintToString(std::wstring(c.os)) << " / "
            << ::testing::PrintToString(std::wstring(c.displayName)) << " / "
            << ::testing::PrintToString(std::wstring(c.keyName));
    }
}

}  // namespace
}  // namespace vorlen
