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
    // The profile function does not refuse a read-only file everywhere (Wine
    // running as root writes through it), so the attribute is tested first,
    // as the CSV export's file replacement does.
    const DWORD attributes = GetFileAttributesW(path_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}

}  // namespace vorlen
