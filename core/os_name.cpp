#include "core/os_name.h"

namespace vorlen {

namespace {

std::wstring NameForVersion4(std::uint32_t minor, std::uint32_t platformId, const std::wstring& csd) {
    switch (minor) {
    case 0:
        if (csd == L"C") return L"Windows 95 OSR2";
        return platformId == kPlatformWin32Nt ? L"Windows NT 4.0" : L"Windows 95";
    case 10: return csd == L"A" ? L"Windows 98 SE" : L"Windows 98";
    case 90: return L"Windows Me";
    default: return L"";
    }
}

// Version 5 is named only when the extended query, which carries the suite
// mask, succeeded.
std::wstring NameForVersion5(std::uint32_t minor, const std::optional<std::uint32_t>& suiteMask) {
    if (!suiteMask) return L"";
    switch (minor) {
    case 0: return L"Windows 2000";
    case 1:
        if (LowWord(static_cast<std::int32_t>(*suiteMask)) & kSuitePersonal) return L"Windows XP Home Edition";
        return L"Windows XP Professional Edition";
    default: return L"";
    }
}

}  // namespace

std::wstring OsNameFromVersion(const OsVersion& version) {
    switch (version.major) {
    case 3: return L"Windows NT 3.51";
    case 4: return NameForVersion4(version.minor, version.platformId, TrimNull(version.csdVersion));
    case 5: return NameForVersion5(version.minor, version.suiteMask);
    default: return L"";
    }
}

// Blanks are spaces only; a tab or other white space stays part of the text.
std::wstring TrimNull(std::wstring_view text) {
    const auto nul = text.find(L'\0');
    if (nul != std::wstring_view::npos) text = text.substr(0, nul);
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return L"";
    const auto last = text.find_last_not_of(L' ');
    return std::wstring(text.substr(first, last - first + 1));
}

std::int32_t LowWord(std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}

std::wstring MainWindowTitle(const std::wstring& osName) {
    if (osName.empty()) return L"Vorlen";
    return L"Vorlen [" + osName + L"]";
}

}  // namespace vorlen
