#pragma once
#include <windows.h>
#include <winver.h>

#include <optional>

namespace vorlen {

// The file version of a module's version record (its VERSIONINFO resource).
struct FileVersion {
    WORD major = 0;
    WORD minor = 0;
    WORD build = 0;
    WORD revision = 0;
};

// Reads the fixed part of the module's own version record, straight from
// its resources: the same record that GetFileVersionInfoW would read from
// its file, without making the program depend on version.dll. Nothing when
// the module has no valid record.
std::optional<FileVersion> ReadModuleVersion(HMODULE module);

}  // namespace vorlen
