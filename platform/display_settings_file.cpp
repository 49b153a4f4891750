#include "platform/display_settings_file.h"

#include "core/setting_number.h"

namespace vorlen {

namespace {

void ReadSetting(const ProfileFile& file, const wchar_t* key, std::int16_t& setting) {
    if (const auto value = ParseSettingNumber(file.Read(key, kSettingsSection, L"1"))) setting = *value;
}

}  // namespace

DisplaySettings ReadDisplaySettings(const ProfileFile& file, DisplaySettings current) {
    ReadSetting(file, kKeyDisplayName, current.displayName);
    ReadSetting(file, kKeyUninstallString, current.uninstallString);
    ReadSetting(file, kKeyNoHotfix, current.noHotfix);
    return current;
}

// All three keys are written even when one write fails, as each is its own entry.
bool WriteDisplaySettings(ProfileFile& file, const DisplaySettings& settings) {
    bool allWritten = file.Write(std::to_wstring(settings.displayName), kKeyDisplayName, kSettingsSection);
    allWritten =
        file.Write(std::to_wstring(settings.uninstallString), kKeyUninstallString, kSettingsSection) && allWritten;
    allWritten = file.Write(std::to_wstring(settings.noHotfix), kKeyNoHotfix, kSettingsSection) && allWritten;
    return allWritten;
}

}  // namespace vorlen
