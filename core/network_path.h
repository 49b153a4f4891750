#pragma once
#include <functional>
#include <optional>
#include <string_view>

namespace vorlen {

// Whether looking a path up could reach beyond the local disks: a network
// path (\\host\share, //host/share, \\?\UNC\host\share, \\.\UNC\...) or a
// device path (\\.\pipe\name, \\.\COM1, \\?\GLOBALROOT\...; also the NT
// form \??\...). Only the long-path and device forms of a drive letter
// (\\?\C:\..., \\.\C:\...) stay local. Such a path is never probed to
// colour a cell or enable a command: the lookup would block until the
// network gives up and hand the user's credentials to a host that an
// installer chose. Backslashes and forward slashes count alike and leading
// blanks are skipped, as in the system's own path parsing.
bool IsNetworkOrDevicePath(std::wstring_view path);

// The letter of the drive a path names: "C:\…", the drive-relative "C:…",
// and the long-path and device forms \\?\C:\…, \\.\C:\… and \??\C:\…
// (leading blanks skipped, either slash). Nothing for a relative path or a
// network or device path.
std::optional<wchar_t> DriveLetterOf(std::wstring_view path);

// Whether the path holds a wildcard (* or ?), its prefix \\?\ or \??\ aside:
// it then names no one file, and a lookup must not expand it.
bool HoldsWildcard(std::wstring_view path);

// Whether a path may be looked up at all to colour a cell or enable a
// command: not a network or device path, not a path on a drive letter that
// `isNetworkDrive` reports as a network drive (a mapped letter reaches a
// server exactly as a UNC path does, and blocks while it is disconnected),
// and not a path holding a wildcard, which is never an existing file.
bool MayLookUpPath(std::wstring_view path, const std::function<bool(wchar_t driveLetter)>& isNetworkDrive);

}  // namespace vorlen
