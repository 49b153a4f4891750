#include "actions/uninstaller_check.h"

#include <algorithm>

namespace vorlen {

namespace {

// Where the command's first token begins: past the blanks and an opening quote.
std::wstring_view FirstTokenStart(std::wstring_view commandLine) {
    commandLine.remove_prefix(std::min(commandLine.find_first_not_of(L" \t"), commandLine.size()));
    if (!commandLine.empty() && commandLine.front() == L'"') commandLine.remove_prefix(1);
    return commandLine;
}

}  // namespace

// Process creation takes a command line of at most this many characters; no
// program of a longer one could start, so no longer prefix is looked up.
constexpr std::size_t kLongestCommandLine = 32767;

UninstallerCheck CheckUninstaller(std::wstring_view commandLine, const UninstallerLookup& lookup) {
    commandLine = commandLine.substr(0, kLongestCommandLine);
    // A command on the network is never looked up, not even prefix by prefix.
    if (!FirstTokenStart(commandLine).empty() && lookup.isNetworkPath(FirstTokenStart(commandLine)))
        return {UninstallerState::OnNetwork, {}};
    // Never a network path: every lookup goes through here.
    const IsExistingFile isLocalFile = [&](const std::wstring& path) {
        return !lookup.isNetworkPath(path) && lookup.isExistingFile(path);
    };
    std::wstring program = ProgramOfCommandLine(commandLine, isLocalFile);
    if (program.empty()) return {UninstallerState::NoCommand, {}};
    if (!NamesFolder(program)) {
        if (FindProgramInFolders(program, lookup.searchFolders, isLocalFile)) return {UninstallerState::Present, program};
        return {UninstallerState::Missing, std::move(program)};
    }
    if (lookup.isNetworkPath(program)) return {UninstallerState::OnNetwork, std::move(program)};
    if (isLocalFile(program)) return {UninstallerState::Present, std::move(program)};
    return {UninstallerState::Missing, std::move(program)};
}

}  // namespace vorlen
