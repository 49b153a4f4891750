#pragma once
#include <windows.h>

#include <string>

namespace vorlen {

// A text of the module's string table, "" when there is none.
std::wstring LoadResourceText(HINSTANCE instance, UINT id);

}  // namespace vorlen
