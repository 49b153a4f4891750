#pragma once
#include <string>

namespace vorlen {

// The full path of the running executable.
std::wstring ExecutablePath();

// The folder of the running executable, without a trailing backslash.
std::wstring ExecutableFolder();

}  // namespace vorlen
