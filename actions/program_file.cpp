#include "actions/program_file.h"

namespace vorlen {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// An absolute folder: a drive's root and below (C:\…), or a UNC path. A
// drive-relative "C:bin" or a root-relative "\bin" depends on the current
// folder and is not one.
bool IsAbsoluteFolder(std::wstring_view folder) {
    if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1])) return true;
    return folder.size() >= 3 &&
           ((folder[0] >= L'A' && folder[0] <= L'Z') || (folder[0] >= L'a' && folder[0] <= L'z')) &&
           folder[1] == L':' && IsSeparator(folder[2]);
}

// Whether the last part of a path has an extension: a point after its last
// folder separator. Process creation adds ".exe" only to a name without one.
bool HasExtension(std::wstring_view path) {
    const auto point = path.find_last_of(L'.');
    if (point == std::wstring_view::npos) return false;
    const auto separator = path.find_last_of(L"\\/:");
    return separator == std::wstring_view::npos || point > separator;
}

bool EndsWithExe(std::wstring_view text) {
    if (text.size() < 4) return false;
    const std::wstring_view tail = text.substr(text.size() - 4);
    static constexpr std::wstring_view kExe = L".exe";
    for (std::size_t i = 0; i < 4; ++i) {
        wchar_t c = tail[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != kExe[i]) return false;
    }
    return true;
}

std::wstring InFolder(const std::wstring& folder, std::wstring_view name) {
    std::wstring path = folder;
    if (!path.empty() && !IsSeparator(path.back())) path += L'\\';
    path += name;
    return path;
}

}  // namespace

std::vector<std::wstring> ProgramSearchFolders(const std::wstring& systemFolder, const std::wstring& windowsFolder,
                                               std::wstring_view pathVariable) {
    std::vector<std::wstring> folders;
    for (const std::wstring* folder : {&systemFolder, &windowsFolder})
        if (IsAbsoluteFolder(*folder)) folders.push_back(*folder);
    while (!pathVariable.empty()) {
        const auto end = pathVariable.find(L';');
        std::wstring_view entry = pathVariable.substr(0, end);
        pathVariable = end == std::wstring_view::npos ? std::wstring_view{} : pathVariable.substr(end + 1);
        // An entry may be written in quotes, as the system's own search allows.
        if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"')
            entry = entry.substr(1, entry.size() - 2);
        if (IsAbsoluteFolder(entry)) folders.emplace_back(entry);
    }
    return folders;
}

bool NamesFolder(std::wstring_view programName) {
    return programName.find_first_of(L"\\/:") != std::wstring_view::npos;
}

std::optional<std::wstring> FindProgramInFolders(std::wstring_view programName,
                                                 const std::vector<std::wstring>& folders,
                                                 const IsExistingFile& isExistingFile) {
    if (programName.empty() || NamesFolder(programName)) return std::nullopt;
    std::wstring fileName(programName);
    if (!HasExtension(fileName)) fileName += L".exe";
    for (const std::wstring& folder : folders) {
        std::wstring path = InFolder(folder, fileName);
        if (isExistingFile(path)) return path;
    }
    return std::nullopt;
}

std::wstring ProgramOfCommandLine(std::wstring_view commandLine, const IsExistingFile& isExistingFile) {
    std::size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start])) ++start;
    const std::wstring_view line = commandLine.substr(start);
    if (line.empty()) return {};
    if (line.front() == L'"') {
        const auto close = line.find(L'"', 1);
        return std::wstring(line.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1));
    }
    // The prefixes process creation tries: up to each blank that follows a
    // non-blank, then the whole line unless it ends in a blank.
    std::vector<std::wstring_view> prefixes;
    for (std::size_t i = 1; i < line.size(); ++i)
        if (IsBlank(line[i]) && !IsBlank(line[i - 1])) prefixes.push_back(line.substr(0, i));
    if (!IsBlank(line.back())) prefixes.push_back(line);
    for (const std::wstring_view prefix : prefixes) {
        std::wstring candidate(prefix);
        if (isExistingFile(candidate)) return candidate;
        if (!HasExtension(candidate) && isExistingFile(candidate + L".exe")) return candidate + L".exe";
    }
    for (auto prefix = prefixes.rbegin(); prefix != prefixes.rend(); ++prefix)
        if (EndsWithExe(*prefix)) return std::wstring(*prefix);
    return std::wstring(prefixes.front());
}

}  // namespace vorlen
