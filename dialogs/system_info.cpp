#include "dialogs/system_info.h"

#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "actions/program_file.h"
#include "core/program_state.h"

namespace vorlen {

namespace {

bool SameValueName(std::wstring_view a, std::wstring_view b) {
    // Value names compare as the registry compares them: ignoring case.
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring StringText(std::span<const std::uint8_t> data) {
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8));
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::wstring DwordText(std::span<const std::uint8_t> data) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text = L"&h";
    for (auto byte = data.rbegin(); byte != data.rend(); ++byte) {
        text += kDigits[*byte >> 4];
        text += kDigits[*byte & 0x0F];
    }
    return text;
}

// The command line that starts the program file at `path`: in quotes, so
// that a path with blanks is not first tried as a shorter program with
// arguments (C:\Program.exe). A value already in quotes counts as its
// inside; a path that still holds a quote names no file and starts nothing.
std::optional<std::wstring> ProgramCommandLine(std::wstring_view path) {
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
    if (path.empty() || path.find(L'"') != std::wstring_view::npos) return std::nullopt;
    return L'"' + std::wstring(path) + L'"';
}

// The tool is started by the path the registry names. A bare file name is
// looked for in the system's folders, never in the current folder.
std::optional<ProgramLaunch> SysInfoLaunch(Desktop& desktop, const std::wstring& commandLine) {
    std::wstring program = commandLine.substr(1, commandLine.size() - 2);
    if (!NamesFolder(program)) {
        const SystemFolders system = desktop.ProgramFolders();
        auto found = FindProgramInFolders(
            program, ProgramSearchFolders(system.system, system.windows, desktop.EnvironmentVariable(L"PATH")),
            [&](const std::wstring& path) { return desktop.ProgramFileExists(path); });
        if (!found) return std::nullopt;
        program = std::move(*found);
    }
    return ProgramLaunch{std::move(program), commandLine, {}};
}

}  // namespace

bool GetKeyValue(const RegistryReader& registry, RegistryRoot root, const std::wstring& keyName,
                 const std::wstring& valueName, std::wstring& value) {
    bool found = false;
    std::wstring text = value;
    registry.ForEachValue(root, keyName,
                          [&](std::wstring_view name, std::uint32_t type, std::span<const std::uint8_t> data) {
                              if (found || !SameValueName(name, valueName)) return;
                              found = true;
                              if (type == REG_SZ)
                                  text = StringText(data);
                              else if (type == REG_DWORD)
                                  text = DwordText(data);
                          });
    value = found ? text : std::wstring();
    return found;
}

void StartSysInfo(HWND owner, Desktop& desktop, const RegistryReader& registry) {
    std::wstring path;
    bool located = GetKeyValue(registry, RegistryRoot::LocalMachine, kSysInfoKey, kSysInfoPathValue, path);
    if (!located &&
        GetKeyValue(registry, RegistryRoot::LocalMachine, kSharedToolsKey, kSharedToolsSysInfoValue, path)) {
        // The value names a folder; only a tool really there is used.
        const std::wstring file = path + kSysInfoFileName;
        located = desktop.MayLookUp(file) && desktop.NormalFileExists(file);
        if (located) path = file;
    }
    PlatformError error;
    const auto commandLine = located ? ProgramCommandLine(path) : std::nullopt;
    const auto launch = commandLine ? SysInfoLaunch(desktop, *commandLine) : std::nullopt;
    if (launch && desktop.StartProcess(*launch, SW_SHOWNORMAL, error)) return;
    desktop.ShowMessage(owner, kSysInfoUnavailable, kAppTitle, MB_OK);
}

}  // namespace vorlen
