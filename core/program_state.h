#pragma once
#include <string>

#include "core/display_settings.h"

namespace vorlen {

// What lives for the whole run, set up once at start-up; the settings change
// only through the settings dialog.
struct ProgramState {
    std::wstring iniFilePath;      // Kestrin.ini beside the executable
    DisplaySettings settings;      // the three display rules
    std::wstring osName;           // the running Windows version's name, or ""
    bool settingsChanged = false;  // the settings dialog's OK was pressed last time
};

// The application title; it also names the settings file.
inline constexpr wchar_t kAppTitle[] = L"Kestrin";

}  // namespace vorlen
