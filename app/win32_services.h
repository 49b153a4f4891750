#pragma once
#include "platform/win32/desktop_win32.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/registry_win32.h"
#include "window/main_window_services.h"

namespace vorlen {

// The real platform behind the main window: the registry, the desktop, the
// user's collation and the settings file beside the executable. It must
// outlive the window it serves.
class Win32Services {
public:
    MainWindowServices Services();

private:
    Win32Registry registry_;
    UserLocaleCollator collator_;
    Win32Desktop desktop_;
};

}  // namespace vorlen
