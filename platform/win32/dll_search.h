#pragma once

namespace vorlen {

// Keeps every DLL the process loads from now on out of the current folder
// and, where Windows can (Windows 8 and later; Windows 7 with its 2011
// security update), loads DLLs named without a path from the system folder
// only; turns on the safe search mode, which looks in the current folder
// last. Called first thing at start-up, before anything loads a DLL.
void RestrictDllSearchToSystem();

}  // namespace vorlen
