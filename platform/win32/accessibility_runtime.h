#pragma once
#include <windows.h>
#include <oleacc.h>

namespace vorlen {

// The functions of Windows' accessibility runtime (oleacc.dll) that the
// grids' accessible objects use. The runtime is no KnownDLL, so it is not
// imported: a copy of it beside vorlen.exe would load at start-up, before
// any of Vorlen's code runs. It is loaded by its full path in the system
// folder when a client first asks a grid for its object.
struct AccessibilityRuntime {
    decltype(&LresultFromObject) lresultFromObject = nullptr;
    decltype(&AccessibleObjectFromWindow) accessibleObjectFromWindow = nullptr;
    decltype(&CreateStdAccessibleObject) createStdAccessibleObject = nullptr;

    // The system's runtime, loaded at the first call and kept for the rest
    // of the run; null when it cannot be loaded (the grids then answer as a
    // plain window does).
    static const AccessibilityRuntime* OfThisSystem();
};

}  // namespace vorlen
