#include "platform/win32/dll_search.h"

#include <windows.h>

namespace vorlen {

void RestrictDllSearchToSystem() {
    SetDllDirectoryW(L"");
    // kernel32 is loaded in every process; its newer functions are looked up
    // so that the program still starts where they are missing.
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    if (!kernel32) return;
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    using SetSearchPathModeFunction = BOOL(WINAPI*)(DWORD);
    if (const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel32, "SetDefaultDllDirectories"))))
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (const auto setMode = reinterpret_cast<SetSearchPathModeFunction>(
            reinterpret_cast<void*>(GetProcAddress(kernel32, "SetSearchPathMode"))))
        setMode(BASE_SEARCH_PATH_ENABLE_SAFE_SEARCHMODE | BASE_SEARCH_PATH_PERMANENT);
}

}  // namespace vorlen
