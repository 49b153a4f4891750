#pragma once
#include <cstdint>
#include <string>

namespace vorlen {

class ProfileFile;

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

// Reads the three settings in their fixed order, each with default "1". A
// text that is not a 16-bit number leaves that setting as it was in `current`.
DisplaySettings ReadDisplaySettings(const ProfileFile& file, DisplaySettings current = {});

// Writes the three settings as decimal texts; true when every write succeeded.
bool WriteDisplaySettings(ProfileFile& file, const DisplaySettings& settings);

}  // namespace vorlen
