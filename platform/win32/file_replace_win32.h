#pragma once
#include "platform/desktop.h"

#include <string>

namespace vorlen {

// Writes the bytes as the whole new content of the file at `path`. They go to
// a temporary file beside it first, which replaces the file only once it has
// been written completely and closed, so a failure midway (disk full, target
// locked or read-only) leaves the old file as it was and removes the
// temporary one. A file that could not be overwritten in place (read-only,
// denied, locked) is refused as such. False with `error` filled on failure.
bool WriteFileReplacing(const std::wstring& path, const std::string& bytes, PlatformError& error);

}  // namespace vorlen
