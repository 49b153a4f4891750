#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorlen {

// What the version query reported. `suiteMask` is empty when the extended
// query (asked only for major version 5) failed.
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t platformId = 0;
    std::wstring csdVersion;  // raw service-pack text, possibly with NULs and blanks
    std::optional<std::uint32_t> suiteMask;
};

inline constexpr std::uint32_t kPlatformWin32Nt = 2;
inline constexpr std::uint32_t kSuitePersonal = 0x0200;

// The display name of a Windows version, or "" for a version without a name.
std::wstring OsNameFromVersion(const OsVersion& version);

// The text before the first NUL, with leading and trailing spaces removed
// (only spaces: a tab is kept, as the classic Trim keeps it).
std::wstring TrimNull(std::wstring_view text);

// The low 16 bits of a 32-bit value, so a 16-bit field held signed tests as unsigned.
std::int32_t LowWord(std::int32_t value);

// "Vorlen" or "Vorlen [name]".
std::wstring MainWindowTitle(const std::wstring& osName);

}  // namespace vorlen
