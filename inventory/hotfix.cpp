#include "inventory/hotfix.h"

#include <string_view>

namespace vorlen {

namespace {

bool BeginsWith(std::wstring_view text, std::wstring_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool Contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

bool IsXpHotfix(std::wstring_view displayName, std::wstring_view keyName) {
    if (BeginsWith(displayName, L"Windows XP ホットフィックス") || BeginsWith(displayName, L"Windows XP Hotfix") ||
        BeginsWith(displayName, L"Windows XP 更新") || BeginsWith(displayName, L"Windows XP セキュリティ"))
        return true;
    // The update descriptions below are trusted only under a knowledge-base
    // key name; a key shorter than two characters does not qualify.
    if (!BeginsWith(keyName, L"KB")) return false;
    return Contains(displayName, L"セキュリティ問題の修正プログラム") ||
           Contains(displayName, L"セキュリティ更新プログラム") ||
           Contains(displayName, L"Security Update for Microsoft .NET Framework");
}

}  // namespace

bool IsHotfix(std::wstring_view osName, std::wstring_view displayName, std::wstring_view keyName) {
    if (Contains(osName, L"XP")) return IsXpHotfix(displayName, keyName);
    if (Contains(osName, L"2000")) return BeginsWith(displayName, L"Windows 2000 ホットフィックス");
    return false;
}

}  // namespace vorlen
