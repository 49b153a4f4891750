#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace vorlen {

// The key whose sub-keys are the uninstall entries, below the root of each
// place, with its trailing backslash: entry paths are this text plus the key
// name.
inline constexpr wchar_t kUninstallKeyPath[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Where programs register for uninstallation: the machine's key as 64-bit
// programs see it, the machine's key as 32-bit programs see it (where
// 32-bit installers write), and the current user's key (where per-user
// installers write).
enum class UninstallPlace : std::uint8_t { Machine, Machine32, User };

// The places in the order the list reads them.
inline constexpr UninstallPlace kUninstallPlaces[] = {UninstallPlace::Machine, UninstallPlace::Machine32,
                                                      UninstallPlace::User};

// The root and view whose kUninstallKeyPath is the place's uninstall key.
RegistryPlace RegistryPlaceOf(UninstallPlace place);

// The place as the list's place column shows it: "HKLM", "HKLM 32 ビット", "HKCU".
std::wstring_view PlaceText(UninstallPlace place);

// A key name as the list shows it. The native API can create a name holding
// NUL characters, which no Win32 call can address; each NUL is shown as the
// two characters of kNulMark. No key name holds a backslash, so the mark
// cannot be taken for part of a real name.
inline constexpr std::wstring_view kNulMark = L"\\0";
std::wstring VisibleKeyName(std::wstring_view name);

// False for a name that holds a NUL, or shows one as kNulMark: opened by
// that text, the registry would give another key's values (the name cut at
// the NUL, or a sub-key "0…" of the part before the mark).
bool IsAddressableKeyName(std::wstring_view name);

}  // namespace vorlen
