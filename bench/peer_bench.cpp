// Vorlen against the one peer that runs here: Wine's own `uninstaller
// --list`, which lists the same uninstall keys (it reads four values of
// each; Vorlen reads every value). Both run as whole processes, in turn,
// with this process keeping the registry's server running between them:
// `vorlen.exe /export` to a temporary file, the peer's list to NUL.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "inventory/uninstall_key.h"

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\') + 1); }

std::wstring ThisProgram() {
    std::vector<wchar_t> path(32768);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::wstring(path.data(), length);
}

std::wstring SystemProgram(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH + 1);
    return std::wstring(folder, length) + L"\\" + name;
}

// Runs `program` with `arguments` to its end, its output to NUL; false when
// it could not start or did not end with status 0.
bool RunToEnd(const std::wstring& program, const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    const HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &process);
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) return false;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return status == 0;
}

// The sub-keys of the three places both list.
int UninstallEntryCount() {
    const struct {
        HKEY root;
        REGSAM view;
    } places[] = {{HKEY_LOCAL_MACHINE, 0}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_CURRENT_USER, 0}};
    int count = 0;
    for (const auto& place : places) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(place.root, vorlen::kUninstallKeyPath, 0, KEY_QUERY_VALUE | place.view, &key) !=
            ERROR_SUCCESS)
            continue;
        DWORD subKeys = 0;
        if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr) == ERROR_SUCCESS)
            count += static_cast<int>(subKeys);
        RegCloseKey(key);
    }
    return count;
}

}  // namespace

// `vorlen` is the path of vorlen.exe; empty means the build's, beside this
// program's folder.
void RunPeerBenchmark(std::wstring vorlen) {
    const int entries = UninstallEntryCount();
    if (vorlen.empty()) vorlen = FolderOf(ThisProgram()) + L"..\\app\\vorlen.exe";
    const std::wstring uninstaller = SystemProgram(L"uninstaller.exe");
    wchar_t temp[MAX_PATH + 1];
    const DWORD tempLength = GetTempPathW(MAX_PATH + 1, temp);
    const std::wstring csv = std::wstring(temp, tempLength) + L"vorlen-peer-bench.csv";
    bool vorlenOk = true, peerOk = true;
    const std::vector<double> medians = AlternatingMedians({
        {[&] { vorlenOk = RunToEnd(vorlen, L"/export \"" + csv + L"\"") && vorlenOk; }},
        {[&] { peerOk = RunToEnd(uninstaller, L"--list") && peerOk; }},
    });
    DeleteFileW(csv.c_str());
    const double vorlenS = medians[0] / 1000, peerS = medians[1] / 1000;
    std::printf("peer entries=%d vorlen_s=%.2f uninstaller_s=%.2f ratio=%.3f%s%s\n", entries, vorlenS, peerS,
                vorlenS / peerS, vorlenOk ? "" : " (vorlen.exe failed)", peerOk ? "" : " (uninstaller failed)");
    std::fflush(stdout);
}
