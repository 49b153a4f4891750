#pragma once
#include "window/main_window_parts.h"

namespace vorlen {

// Saves the grid of the current view, the list or the detail, as a CSV file
// chosen in the Save-As dialog, then offers to open it. A failure is
// reported and leaves any existing file as it was.
void ExportCsv(MainWindowParts& parts);

}  // namespace vorlen
