#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "inventory/uninstall_key.h"

namespace vorlen {

// The command lines of the REG QUERY and REG EXPORT commands and of the
// Explorer window opened after an export.
//
// How a key name reaches REG unharmed. The line is read twice: first by
// cmd.exe, then by REG itself, which splits its own command line into
// arguments by the C runtime's rules. Each argument is therefore encoded for
// both readers, REG's first:
//
//  1. For REG: the argument is cut at every percent sign; each piece, empty
//     ones included, goes in double quotes, and the pieces are joined by bare
//     percent signs ("a" % "b" without the blanks), which REG reads back as
//     one argument. Inside the quotes blanks, commas, semicolons and equal
//     signs stay part of the argument; a double quote is written \" and the
//     backslashes just before a double quote or a closing quote are doubled,
//     so a path ending in a backslash (the uninstall key itself, when the key
//     name is empty) is still read back exactly.
//  2. For cmd.exe: a caret before every ^ & | < > ( ) and double quote of
//     step 1, its own quotes included. cmd.exe thus never enters its quoted
//     mode (whose end a double quote in a key name could otherwise move),
//     every & | < > ( ) is a literal character, and cmd.exe hands REG the line
//     with the carets removed: exactly the text of step 1.
//
// Percent signs need step 1's cut because cmd.exe expands %name% from the
// environment even inside quotes, and carets cannot be relied on to stop it:
// Wine's cmd.exe removes them before it expands. With every percent sign
// between two quoted pieces, each name cmd.exe could try to expand begins and
// ends with a double quote (after a caret, on Windows, which expands first);
// no environment variable has such a name, and cmd.exe leaves an unknown
// %name% on a command line as it is.
//
// Exclamation marks are left alone: they are literal with delayed expansion
// off, as cmd.exe starts by default, and even with it switched on they are
// expanded after the line has been split into commands, so they can alter a
// name but never start a command. Non-ASCII names pass unchanged, the whole
// line being UTF-16.
//
// NUL, CR and LF cannot travel through cmd.exe at all (it drops CR and ends
// the command at LF, which would address another key), so a text holding one
// gives no command line. Nor does a key name that is not addressable
// (IsAddressableKeyName): a name holding a NUL, or showing one as the list's
// mark, would name another key.

// The argument as cmd.exe /C or /K must see it for the program it starts to
// receive exactly `argument`; nullopt when it holds NUL, CR or LF.
std::optional<std::wstring> CommandProcessorArgument(std::wstring_view argument);

// The full registry path of an uninstall entry as REG names it: the root's
// full name and the place's uninstall key (WOW6432Node for the 32-bit view),
// then the key name as given (empty: the uninstall key itself, with its
// trailing backslash).
std::wstring RegistryPathOf(UninstallPlace place, const std::wstring& keyName);

// "cmd.exe /K REG QUERY " + the entry's path: the console stays open after REG
// has listed the values.
std::optional<std::wstring> RegQueryCommandLine(UninstallPlace place, const std::wstring& keyName);
std::optional<std::wstring> RegQueryCommandLineForPath(const std::wstring& registryPath);

// "cmd.exe /C REG EXPORT " + the entry's path + " " + the file + " /y". The
// command runs hidden, so /y keeps REG from asking whether to overwrite a file
// the Save-As dialog has already asked about, a question no one could answer.
std::optional<std::wstring> RegExportCommandLine(UninstallPlace place, const std::wstring& keyName,
                                                 const std::wstring& filePath);
std::optional<std::wstring> RegExportCommandLineForPath(const std::wstring& registryPath, const std::wstring& filePath);

// The file's folder with its trailing backslash: the path up to and including
// its last backslash; empty when it has none.
std::wstring FolderOfFile(const std::wstring& path);

// "explorer " + the folder, unquoted: Explorer takes the rest of its command
// line as the path, blanks included.
std::wstring ExplorerOnFolderCommandLine(const std::wstring& folder);

}  // namespace vorlen
