#include "actions/reg_command.h"

namespace vorlen {

namespace {

// One piece in double quotes as the C runtime's argument splitting reads it
// back: n backslashes before a double quote stand for n/2 backslashes, and an
// odd one makes the quote literal.
void AppendQuotedPiece(std::wstring& out, std::wstring_view piece) {
    out += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : piece) {
        if (c == L'\\') {
            ++backslashes;
        } else if (c == L'"') {
            out.append(backslashes + 1, L'\\');
            backslashes = 0;
        } else {
            backslashes = 0;
        }
        out += c;
    }
    out.append(backslashes, L'\\');
    out += L'"';
}

// The argument as quoted pieces joined by bare percent signs, so that no
// percent sign stands next to a character of a variable name.
std::wstring QuotedForProgram(std::wstring_view argument) {
    std::wstring quoted;
    for (;;) {
        const auto percent = argument.find(L'%');
        AppendQuotedPiece(quoted, argument.substr(0, percent));
        if (percent == std::wstring_view::npos) return quoted;
        quoted += L'%';
        argument.remove_prefix(percent + 1);
    }
}

bool IsCommandProcessorSpecial(wchar_t c) { return std::wstring_view(L"^&|<>()\"").find(c) != std::wstring_view::npos; }

std::wstring CaretEscaped(std::wstring_view text) {
    std::wstring escaped;
    escaped.reserve(text.size() * 2);
    for (const wchar_t c : text) {
        if (IsCommandProcessorSpecial(c)) escaped += L'^';
        escaped += c;
    }
    return escaped;
}

}  // namespace

std::optional<std::wstring> CommandProcessorArgument(std::wstring_view argument) {
    if (argument.find_first_of(std::wstring_view(L"\0\r\n", 3)) != std::wstring_view::npos) return std::nullopt;
    return CaretEscaped(QuotedForProgram(argument));
}

std::wstring RegistryPathOf(UninstallPlace place, const std::wstring& keyName) {
    std::wstring_view key;
    switch (place) {
    case UninstallPlace::Machine:
        key = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
        break;
    case UninstallPlace::Machine32:
        key = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
        break;
    case UninstallPlace::User:
        key = L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
        break;
    }
    return std::wstring(key) + keyName;
}

std::optional<std::wstring> RegQueryCommandLine(UninstallPlace place, const std::wstring& keyName) {
    if (!IsAddressableKeyName(keyName)) return std::nullopt;
    return RegQueryCommandLineForPath(RegistryPathOf(place, keyName));
}

std::optional<std::wstring> RegQueryCommandLineForPath(const std::wstring& registryPath) {
    const auto path = CommandProcessorArgument(registryPath);
    if (!path) return std::nullopt;
    return L"cmd.exe /K REG QUERY " + *path;
}

std::optional<std::wstring> RegExportCommandLine(UninstallPlace place, const std::wstring& keyName,
                                                 const std::wstring& filePath) {
    if (!IsAddressableKeyName(keyName)) return std::nullopt;
    return RegExportCommandLineForPath(RegistryPathOf(place, keyName), filePath);
}

std::optional<std::wstring> RegExportCommandLineForPath(const std::wstring& registryPath,
                                                        const std::wstring& filePath) {
    const auto path = CommandProcessorArgument(registryPath);
    const auto file = CommandProcessorArgument(filePath);
    if (!path || !file) return std::nullopt;
    return L"cmd.exe /C REG EXPORT " + *path + L" " + *file + L" /y";
}

std::wstring FolderOfFile(const std::wstring& path) {
    const auto slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ExplorerOnFolderCommandLine(const std::wstring& folder) { return L"explorer " + folder; }

}  // namespace vorlen
