#pragma once
#include <optional>

#include "core/os_name.h"

namespace vorlen {

// The running Windows version as GetVersionEx reports it; empty when the
// query fails. The extended record (for the suite mask) is asked for only on
// version 5, as the name table needs it only there.
std::optional<OsVersion> QueryOsVersion();

// The name of the running Windows version, or "" when it has none.
std::wstring GetOSName();

}  // namespace vorlen
