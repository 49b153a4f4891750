#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen {

// Which program a command line starts, decided as Windows' process creation
// decides it, but never from Vorlen's own folder or the current folder: a
// program file planted beside a downloaded vorlen.exe, or in a folder the
// user just saved to, must never run in place of the system's.

// Whether a file of that name exists and is not a folder. The rules below
// take it as a parameter so that they stay plain and testable.
using IsExistingFile = std::function<bool(const std::wstring&)>;

// The folders a program named without a folder is looked for in, in order:
// the system folder, the Windows folder, then each absolute folder of the
// PATH variable (relative entries and empty ones are skipped: they name the
// current folder, which is exactly what must not be searched).
std::vector<std::wstring> ProgramSearchFolders(const std::wstring& systemFolder, const std::wstring& windowsFolder,
                                               std::wstring_view pathVariable);

// Whether a program name names a folder of its own (a backslash, a slash or
// a drive's colon): such a name is used as it stands and never searched.
bool NamesFolder(std::wstring_view programName);

// The full path of a program named without a folder ("MsiExec.exe",
// "rundll32"), found in the first of `folders` that holds it; ".exe" is added
// to a name without an extension, as process creation does. Nullopt when no
// folder holds it, or when the name has a folder of its own.
std::optional<std::wstring> FindProgramInFolders(std::wstring_view programName,
                                                 const std::vector<std::wstring>& folders,
                                                 const IsExistingFile& isExistingFile);

// The program file of a command line as process creation reads it with no
// application name. A quoted first token is that token without its quotes.
// An unquoted line is tried at each blank in turn, shortest prefix first, then
// whole, as process creation tries them: the first prefix that names an
// existing file (as it stands, or with ".exe" added, which is then part of the
// result) is the program file. When none exists, the longest prefix ending in
// ".exe" at a blank or at the line's end, else the text up to the first blank:
// the file the user would look for. Empty for an empty or blank line. The
// result may still name no folder ("MsiExec.exe"). Callers never hand it a
// line on a network path (IsNetworkOrDevicePath, or a drive letter Windows
// reports as a network drive): it looks each prefix up.
std::wstring ProgramOfCommandLine(std::wstring_view commandLine, const IsExistingFile& isExistingFile);

}  // namespace vorlen
