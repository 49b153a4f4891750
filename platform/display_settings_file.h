#pragma once
#include "core/display_settings.h"
#include "platform/profile_file.h"

namespace vorlen {

// Reads the three settings in their fixed order, each with default "1". A
// text that is not a 16-bit number leaves that setting as it was in `current`.
DisplaySettings ReadDisplaySettings(const ProfileFile& file, DisplaySettings current = {});

// Writes the three settings as decimal texts; true when every write succeeded.
bool WriteDisplaySettings(ProfileFile& file, const DisplaySettings& settings);

}  // namespace vorlen
