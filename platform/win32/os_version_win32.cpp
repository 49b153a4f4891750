#include "platform/win32/os_version_win32.h"

#include <windows.h>

namespace vorlen {

std::optional<OsVersion> QueryOsVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    // The deprecated query is the point: the program names the version
    // Windows reports to it, compatibility settings included.
    if (!GetVersionExW(&info)) return std::nullopt;
    OsVersion version;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.platformId = info.dwPlatformId;
    version.csdVersion.assign(info.szCSDVersion, std::size(info.szCSDVersion));
    if (version.major == 5) {
        OSVERSIONINFOEXW extended{};
        extended.dwOSVersionInfoSize = sizeof(extended);
        if (GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended))) version.suiteMask = extended.wSuiteMask;
    }
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    return version;
}

std::wstring GetOSName() {
    const auto version = QueryOsVersion();
    return version ? OsNameFromVersion(*version) : std::wstring();
}

}  // namespace vorlen
