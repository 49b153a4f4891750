#pragma once
#include "window/main_window_parts.h"

namespace vorlen {

// The display-settings dialog: OK stores the three rules, writes them to
// Kestrin.ini (saying so when the file cannot be written) and rebuilds the
// list; Cancel changes nothing.
void ShowDisplaySettings(MainWindowParts& parts);

// The version dialog.
void ShowVersion(MainWindowParts& parts);

}  // namespace vorlen
