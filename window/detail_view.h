#pragma once
#include "window/main_window_parts.h"

namespace vorlen {

// The detail view: every value of the entry named in the key-name box, shown
// over the list, which stays as it was underneath.

// Fills the detail grid afresh from the registry and shows it. The data of a
// web address or of an existing file is blue.
void ShowDetail(MainWindowParts& parts);

// Shows the list or the detail; nothing happens when that view is shown.
void SelectView(MainWindowParts& parts, ViewMode view);

// The button beside the key-name box: from the list to the detail and back.
void ToggleDetailView(MainWindowParts& parts);

}  // namespace vorlen
