#pragma once
#include <cstdint>
#include <string>

namespace vorlen {

// The three display rules kept in the settings file. A rule is active only
// when its value is exactly 1.
struct DisplaySettings {
    std::int16_t displayName = 0;      // hide entries without a program name
    std::int16_t uninstallString = 0;  // hide entries without an uninstall command
    std::int16_t noHotfix = 0;         // hide Windows hotfixes
};

inline constexpr wchar_t kSettingsSection[] = L"Settings";
inline constexpr wchar_t kKeyDisplayName[] = L"DisplayName";
inline constexpr wchar_t kKeyUninstallString[] = L"UninstallString";
inline constexpr wchar_t kKeyNoHotfix[] = L"NoHotfix";

}  // namespace vorlen
