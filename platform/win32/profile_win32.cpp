#include "platform/win32/profile_win32.h"

#include <windows.h>

namespace vorlen {

namespace {
// The settings are short numbers; the buffer holds 254 characters and the NUL.
constexpr DWORD kValueBufferChars = 255;
}  // namespace

std::wstring Win32ProfileFile::Read(const std::wstring& key, const std::wstring& section,
                                    const std::wstring& fallback) const {
    wchar_t buffer[kValueBufferChars] = {};
    GetPrivateProfileStringW(section.c_str(), key.c_str(), fallback.c_str(), buffer, kValueBufferChars, path_.c_str());
    return std::wstring(buffer);
}

bool Win32ProfileFile::Write(const std::wstring& value, const std::wstring& key, const std::wstring& section) {
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

}  // namespace vorlen
