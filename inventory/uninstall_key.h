#pragma once

namespace vorlen {

// The key whose sub-keys are the uninstall entries, below HKEY_LOCAL_MACHINE,
// with its trailing backslash: entry paths are this text plus the key name.
inline constexpr wchar_t kUninstallKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

}  // namespace vorlen
