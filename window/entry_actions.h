#pragma once
#include "window/main_window_parts.h"

namespace vorlen {

// What can be done with the selected entry and the focused text: run the
// uninstall command, open the folder a text names, open a web address.

// Asks first; on Yes starts the command in the uninstall-command box.
void RunUninstaller(MainWindowParts& parts);

// Whether the focused text names an existing folder or file whose folder
// Explorer can show, and showing it. Failures end quietly.
bool CanOpenFolder(const MainWindowParts& parts);
void OpenFolder(MainWindowParts& parts);

// Whether the focused text is a web address, and opening it in the browser,
// exactly as written.
bool CanOpenWebAddress(const MainWindowParts& parts);
void OpenWebAddress(MainWindowParts& parts);

// A double-click on a grid cell: its folder, or else its web address.
void OpenFromDoubleClick(MainWindowParts& parts);

}  // namespace vorlen
