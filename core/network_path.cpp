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

}  // namespace vorlen
