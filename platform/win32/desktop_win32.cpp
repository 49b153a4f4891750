#include "platform/win32/desktop_win32.h"

#include <shellapi.h>

#include <vector>

namespace vorlen {

namespace {

// Owns a find handle.
struct FindHandle {
    HANDLE handle;
    ~FindHandle() {
        if (handle != INVALID_HANDLE_VALUE) FindClose(handle);
    }
};

// Owns the clipboard between OpenClipboard and CloseClipboard.
struct OpenedClipboard {
    bool opened;
    explicit OpenedClipboard(HWND owner) : opened(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard() {
        if (opened) CloseClipboard();
    }
};

std::wstring SystemDescription(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring description(text ? text : L"", length);
    if (text) LocalFree(text);
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' || description.back() == L' '))
        description.pop_back();
    return description;
}

}  // namespace

PlatformError LastPlatformError() {
    const DWORD error = GetLastError();
    return {static_cast<std::int32_t>(error), SystemDescription(error)};
}

int Win32Desktop::ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

std::wstring Win32Desktop::ExpandEnvironment(const std::wstring& text) {
    DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring expanded(size, L'\0');
    size = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (size == 0) return text;
    expanded.resize(size - 1);
    return expanded;
}

bool Win32Desktop::StartProcess(const std::wstring& commandLine, int showCommand, PlatformError& error) {
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        error = LastPlatformError();
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

void Win32Desktop::ShellOpen(HWND owner, const std::wstring& target, const std::wstring& directory, int showCommand) {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, directory.empty() ? nullptr : directory.c_str(), showCommand);
}

bool Win32Desktop::PathExists(const std::wstring& path) {
    // A folder named with its trailing backslash is looked up by its contents.
    const bool folderForm = !path.empty() && (path.back() == L'\\' || path.back() == L'/');
    WIN32_FIND_DATAW found;
    const FindHandle search{FindFirstFileW((folderForm ? path + L"*" : path).c_str(), &found)};
    return search.handle != INVALID_HANDLE_VALUE;
}

bool Win32Desktop::NormalFileExists(const std::wstring& pattern) {
    WIN32_FIND_DATAW found;
    const FindHandle search{FindFirstFileW(pattern.c_str(), &found)};
    if (search.handle == INVALID_HANDLE_VALUE) return false;
    constexpr DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((found.dwFileAttributes & excluded) == 0) return true;
    } while (FindNextFileW(search.handle, &found));
    return false;
}

bool Win32Desktop::SetClipboardText(HWND owner, const std::wstring& text) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.opened || !EmptyClipboard()) return false;
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* target = GlobalLock(memory)) {
        memcpy(target, text.c_str(), bytes);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory)) return true;
    }
    GlobalFree(memory);
    return false;
}

std::wstring Win32Desktop::ClipboardText(HWND owner) {
    const OpenedClipboard clipboard(owner);
    if (!clipboard.opened) return {};
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
    std::wstring result = text ? text : L"";
    GlobalUnlock(data);
    return result;
}

}  // namespace vorlen
