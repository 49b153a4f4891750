#pragma once
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

}  // namespace vorlen
