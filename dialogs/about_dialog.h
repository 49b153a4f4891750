#pragma once
#include <windows.h>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace vorlen {

// The version dialog: the program's title, icon and version (read from the
// executable's own version record), modal to `owner`. Its system-information
// button starts the tool through `desktop`, finding it in `registry`; OK,
// Enter, Esc and the close box close it.
void ShowAboutDialog(HWND owner, Desktop& desktop, const RegistryReader& registry);

}  // namespace vorlen
