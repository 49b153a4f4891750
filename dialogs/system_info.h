#pragma once
#include <windows.h>

#include <string>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace vorlen {

// Reads one registry value as text: a string as its characters (one
// terminating NUL dropped), a DWORD as "&h" and two hexadecimal digits per
// byte from the last byte to the first (42 is "&h0000002A"). A value of any
// other type is found but leaves `value` as it was. True when the value was
// read; when the key or the value is missing, `value` is emptied and the
// result is false. The key is only ever opened for reading.
bool GetKeyValue(const RegistryReader& registry, RegistryRoot root, const std::wstring& keyName,
                 const std::wstring& valueName, std::wstring& value);

// Where Windows records the system-information tool.
inline constexpr wchar_t kSysInfoKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr wchar_t kSysInfoPathValue[] = L"PATH";
inline constexpr wchar_t kSharedToolsKey[] = L"SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr wchar_t kSharedToolsSysInfoValue[] = L"MSINFO";
inline constexpr wchar_t kSysInfoFileName[] = L"\\MSINFO32.EXE";
inline constexpr wchar_t kSysInfoUnavailable[] = L"現時点ではｼｽﾃﾑ情報を使用できません";

// Starts the system-information tool: the file named by the MSINFO "PATH"
// value, or else MSINFO32.EXE in the folder of the shared-tools "MSINFO"
// value when that file exists, started by its path in quotes. When neither
// leads to a program that starts, says so in a message box owned by `owner`.
void StartSysInfo(HWND owner, Desktop& desktop, const RegistryReader& registry);

}  // namespace vorlen
