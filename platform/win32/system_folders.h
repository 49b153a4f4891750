#pragma once
#include "platform/program_launch.h"

namespace vorlen {

// The system folder (GetSystemDirectoryW) and the Windows folder shared by
// every user (GetSystemWindowsDirectoryW: GetWindowsDirectoryW may name a
// private folder of the user's on a terminal server); a folder Windows
// cannot report is empty.
SystemFolders SystemFoldersOfThisSystem();

}  // namespace vorlen
