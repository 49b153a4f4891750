// The user's locale order and its sort keys against the real Windows
// collation functions: a sort by keys must order texts exactly as the
// comparison does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/locale_collator.h"

TEST(UserLocaleCollator, SortKeysOrderEveryPairAsTheComparisonDoes) {
    const std::vector<std::wstring> texts = {
        L"",         L"a",        L"A",          L"ab",           L"Ab",           L"b",        L"Zip Utility 3.1",
        L"zip",      L"éclair",   L"eclair",     L"Ｅｄｉｔｏｒ", L"editor",       L"写真編集", L"しゃしん",
        L"シャシン", L"ｼｬｼﾝ",     L"年賀状作成", L"Photo Studio", L"photo studio", L"-dash",    L"dash",
        L"{GUID}",   L"KB873339", L"カタカナ",   L"ひらがな",     L"Crème Brûlée", L"  lead",   L"lead",
    };
    const vorlen::UserLocaleCollator collator;
    for (const auto& a : texts) {
        const auto keyA = collator.SortKey(a);
        ASSERT_TRUE(keyA.has_value()) << "no key";
        for (const auto& b : texts) {
            const auto keyB = collator.SortKey(b);
            const int byKeys = (*keyA < *keyB) ? -1 : (*keyB < *keyA ? 1 : 0);
            const int compared = collator.Compare(a, b);
            EXPECT_EQ(byKeys, compared < 0 ? -1 : (compared > 0 ? 1 : 0));
        }
    }
}
