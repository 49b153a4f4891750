#pragma once
#include <string>

namespace vorlen {

// True when an entry is a Windows hotfix or update under the rules of the
// running Windows version: XP rules when osName contains "XP", else 2000 rules
// when it contains "2000", else never.
bool IsHotfix(const std::wstring& osName, const std::wstring& displayName, const std::wstring& keyName);

}  // namespace vorlen
