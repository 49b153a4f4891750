#pragma once
#include <string_view>

namespace vorlen {

// True when an entry is a Windows hotfix or update under the rules of the
// running Windows version: XP rules when osName contains "XP", else 2000 rules
// when it contains "2000", else never.
bool IsHotfix(std::wstring_view osName, std::wstring_view displayName, std::wstring_view keyName);

}  // namespace vorlen
