#pragma once
#include "window/main_window_parts.h"

namespace vorlen {

// Copy, cut and paste. A grid copies its selected block of cells as
// tab-separated lines; a box copies, cuts and pastes its selection, and a
// box locked by the detail view only copies.

void CopySelection(MainWindowParts& parts);
void CutSelection(MainWindowParts& parts);
void PasteClipboard(MainWindowParts& parts);

}  // namespace vorlen
