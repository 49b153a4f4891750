#pragma once
#include <windows.h>

#include <optional>

#include "core/display_settings.h"

namespace vorlen {

// The display-settings dialog: shows the three display settings as check boxes, modal to
// `owner`. OK (or Enter) gives back the boxes' values, even when none was
// changed; Cancel, Esc and the close box give nothing. A stored 2 shows as
// a grey box and comes back as 2 unless clicked; any other value but 0 and 1
// shows as a clear box and comes back as 0, so no rule becomes active that
// was not. The opener stores the values, writes the settings file and
// rebuilds the list.
std::optional<DisplaySettings> ShowSettingsDialog(HWND owner, const DisplaySettings& current);

}  // namespace vorlen
