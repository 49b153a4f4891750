#include "core/network_path.h"

#include <algorithm>

namespace vorlen {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// "C:" alone or followed by a separator.
bool IsDriveRoot(std::wstring_view path) {
    const bool letter =
        path.size() >= 2 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    return letter && path[1] == L':' && (path.size() == 2 || IsSeparator(path[2]));
}

// The path without its leading blanks and without its prefix (\\?\, \\.\ or
// \??\); `prefixed` tells whether it had one.
std::wstring_view WithoutNamespacePrefix(std::wstring_view path, bool& prefixed) {
    path.remove_prefix(std::min(path.find_first_not_of(L' '), path.size()));
    const bool win32Prefix =
        path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) && (path[2] == L'?' || path[2] == L'.') &&
        IsSeparator(path[3]);
    prefixed = win32Prefix || path.substr(0, 4) == L"\\??\\";
    if (prefixed) path.remove_prefix(4);
    return path;
}

}  // namespace

bool IsNetworkOrDevicePath(std::wstring_view path) {
    // The system's path parsing skips leading blanks.
    path.remove_prefix(std::min(path.find_first_not_of(L' '), path.size()));
    // The NT form is passed on by the system as it stands, backslashes only.
    if (path.substr(0, 4) == L"\\??\\") return !IsDriveRoot(path.substr(4));
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return false;
    // \\?\ and \\.\ name a device or a namespace; only a drive behind them is local.
    if (path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') && IsSeparator(path[3]))
        return !IsDriveRoot(path.substr(4));
    return true;
}

std::optional<wchar_t> DriveLetterOf(std::wstring_view path) {
    bool prefixed = false;
    const std::wstring_view rest = WithoutNamespacePrefix(path, prefixed);
    const bool letter =
        rest.size() >= 2 && ((rest[0] >= L'A' && rest[0] <= L'Z') || (rest[0] >= L'a' && rest[0] <= L'z'));
    if (!letter || rest[1] != L':') return std::nullopt;
    // Behind a prefix only "C:" alone or followed by a separator names a drive.
    if (prefixed && !IsDriveRoot(rest)) return std::nullopt;
    return static_cast<wchar_t>(rest[0] & ~0x20);
}

bool HoldsWildcard(std::wstring_view path) {
    bool prefixed = false;
    return WithoutNamespacePrefix(path, prefixed).find_first_of(L"*?") != std::wstring_view::npos;
}

bool MayLookUpPath(std::wstring_view path, const std::function<bool(wchar_t driveLetter)>& isNetworkDrive) {
    if (IsNetworkOrDevicePath(path) || HoldsWildcard(path)) return false;
    const auto drive = DriveLetterOf(path);
    return !drive || !isNetworkDrive(*drive);
}

}  // namespace vorlen
