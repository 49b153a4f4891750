#include "platform/win32/desktop_win32.h"

#include <oleauto.h>
#include <shellapi.h>
#include <wininet.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "actions/open_target.h"
#include "core/network_path.h"
#include "platform/win32/unique_handle.h"

namespace vorlen {

namespace {

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
    while (!description.empty() &&
           (description.back() == L'\n' || description.back() == L'\r' || description.back() == L' '))
        description.pop_back();
    return description;
}

// Starts a command line with the show value for its first window; the new
// process's handle, or null with `error` filled.
UniqueKernelHandle Launch(const std::wstring& commandLine, int showCommand, PlatformError& error) {
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets a copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        error = LastPlatformError();
        return {};
    }
    const UniqueKernelHandle thread{process.hThread};  // not needed
    return UniqueKernelHandle{process.hProcess};
}

}  // namespace

PlatformError LastPlatformError() { return PlatformErrorOf(GetLastError()); }

PlatformError PlatformErrorOf(std::uint32_t error) {
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
    return static_cast<bool>(Launch(commandLine, showCommand, error));
}

Desktop::WaitOutcome Win32Desktop::RunAndWait(const std::wstring& commandLine, int showCommand,
                                              const std::function<bool()>& pump, PlatformError& error) {
    const UniqueKernelHandle process = Launch(commandLine, showCommand, error);
    if (!process) return WaitOutcome::NotStarted;
    // Wake for the process's end or for a message, whichever comes first;
    // messages already waiting in the queue count as arrived.
    const HANDLE waited = process.get();
    while (MsgWaitForMultipleObjectsEx(1, &waited, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE) == WAIT_OBJECT_0 + 1)
        if (!pump()) return WaitOutcome::StoppedWaiting;
    return WaitOutcome::Ended;
}

SaveDialogRecord::SaveDialogRecord(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                                   const std::wstring& initialFolder)
    : initialFolder_(initialFolder), file_(32768, L'\0'), title_(32768, L'\0') {
    // Each pair ends with a NUL; the list ends with a second one.
    filters_ = filter.empty() ? L"" : filter + L'\0';
    filters_ += std::wstring(L"すべてのファイル(*.*)") + L'\0' + L"*.*" + L'\0';
    // The dialog adds the extension without its point.
    if (!filter.empty())
        extension_ =
            !defaultExtension.empty() && defaultExtension[0] == L'.' ? defaultExtension.substr(1) : defaultExtension;
    record_.lStructSize = sizeof(record_);
    record_.hwndOwner = owner;
    record_.hInstance = GetModuleHandleW(nullptr);
    record_.lpstrFilter = filters_.c_str();
    record_.nFilterIndex = 1;
    record_.lpstrFile = file_.data();
    record_.nMaxFile = static_cast<DWORD>(file_.size());
    record_.lpstrFileTitle = title_.data();
    record_.nMaxFileTitle = static_cast<DWORD>(title_.size());
    record_.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    record_.lpstrTitle = L"名前を付けて保存";
    // No OFN_FILEMUSTEXIST: Windows documents it as unusable in a Save-As
    // dialog, and where it is honoured a file that does not exist yet
    // could never be chosen.
    record_.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    record_.lpstrDefExt = extension_.c_str();
}

std::wstring Win32Desktop::ShowSaveDialog(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                                          const std::wstring& initialFolder) {
    SaveDialogRecord dialog(owner, filter, defaultExtension, initialFolder);
    if (!GetSaveFileNameW(&dialog.Record())) return {};
    return dialog.ChosenPath();
}

std::wstring Win32Desktop::SpecialFolder(const std::wstring& name) {
    // Asked through the automation object by its name, as a script would;
    // any failure on the way leaves the answer empty.
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::wstring path;
    CLSID clsid{};
    IDispatch* shell = nullptr;
    if (SUCCEEDED(CLSIDFromProgID(L"WScript.Shell", &clsid)) &&
        SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&shell)))) {
        OLECHAR* member = const_cast<OLECHAR*>(L"SpecialFolders");
        DISPID id = 0;
        VARIANT folders;
        VariantInit(&folders);
        DISPPARAMS none{};
        if (SUCCEEDED(shell->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id)) &&
            SUCCEEDED(shell->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &folders, nullptr,
                                    nullptr)) &&
            folders.vt == VT_DISPATCH && folders.pdispVal) {
            VARIANT argument;
            VariantInit(&argument);
            argument.vt = VT_BSTR;
            argument.bstrVal = SysAllocString(name.c_str());
            DISPPARAMS item{&argument, nullptr, 1, 0};
            VARIANT result;
            VariantInit(&result);
            if (SUCCEEDED(folders.pdispVal->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT,
                                                   DISPATCH_METHOD | DISPATCH_PROPERTYGET, &item, &result, nullptr,
                                                   nullptr)) &&
                result.vt == VT_BSTR && result.bstrVal)
                path = result.bstrVal;
            VariantClear(&result);
            VariantClear(&argument);
        }
        VariantClear(&folders);
        shell->Release();
    }
    if (SUCCEEDED(initialised)) CoUninitialize();
    return path;
}

void Win32Desktop::SendKey(UINT virtualKey) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(virtualKey);
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// The plain rule's limit for web addresses is the platform's, its NUL aside.
static_assert(kMaxWebAddressLength == INTERNET_MAX_URL_LENGTH - 1);

void Win32Desktop::ShellOpen(HWND owner, const std::wstring& target, const std::wstring& directory, int showCommand) {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, directory.empty() ? nullptr : directory.c_str(),
                  showCommand);
}

// The attributes of the file or folder of that name, never a pattern's
// match: a name holding * or ? names nothing (the system would refuse it as
// a name, but a pattern lookup would expand it).
static std::optional<DWORD> AttributesOf(const std::wstring& path) {
    if (path.empty() || HoldsWildcard(path)) return std::nullopt;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return attributes;
}

bool Win32Desktop::PathExists(const std::wstring& path) { return AttributesOf(path).has_value(); }

bool Win32Desktop::NormalFileExists(const std::wstring& path) {
    constexpr DWORD excluded = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const auto attributes = AttributesOf(path);
    return attributes && (*attributes & excluded) == 0;
}

bool Win32Desktop::IsNetworkDrive(wchar_t driveLetter) {
    const wchar_t root[] = {driveLetter, L':', L'\\', L'\0'};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
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
    if (!text) return {};
    // Another program may have put text without its terminating NUL: the
    // block's size bounds the read.
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::wstring result(text, std::find(text, text + capacity, L'\0'));
    GlobalUnlock(data);
    return result;
}

}  // namespace vorlen
