// A rebuild of the list after one key changed, and the hotfix-only toggle on
// and off, against the first scan, each measured the same way in the same
// run, in turn: the window created (hidden) and its own list grid filled and
// sorted by program name, with the message processing that causes. The scan
// keeps what it read between rebuilds, as the window keeps it for its life.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/win32_services.h"
#include "bench_timing.h"
#include "inventory/inventory_scan.h"
#include "inventory/uninstall_key.h"
#include "resources/resource.h"
#include "window/list_grid.h"
#include "window/main_window.h"

namespace {

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Sets a value of the first entry of the machine's uninstall key, which moves
// that key's last-write time on as an installer's change would.
class ChangedEntry {
public:
    ChangedEntry() {
        wchar_t name[256];
        DWORD length = 256;
        HKEY uninstall = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, vorlen::kUninstallKeyPath, 0, KEY_ENUMERATE_SUB_KEYS, &uninstall) !=
            ERROR_SUCCESS)
            return;
        if (RegEnumKeyExW(uninstall, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            RegOpenKeyExW(uninstall, name, 0, KEY_SET_VALUE, &key_);
        RegCloseKey(uninstall);
    }
    ~ChangedEntry() {
        if (!key_) return;
        RegDeleteValueW(key_, kValue);
        RegCloseKey(key_);
    }
    void Change() {
        ++stamp_;
        if (key_) RegSetValueExW(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stamp_), sizeof(stamp_));
    }

private:
    static constexpr wchar_t kValue[] = L"VorlenBenchStamp";
    HKEY key_ = nullptr;
    DWORD stamp_ = 0;
};

}  // namespace

void RunRefreshBenchmark() {
    vorlen::Win32Services platform;
    auto window = std::make_unique<vorlen::MainWindow>(GetModuleHandleW(nullptr), platform.Services());
    window->Create(SW_HIDE);
    Pump();
    // Each measure goes through the window's own commands, in turn: the first
    // scan is F5 with nothing kept from before; then F5 after one key
    // changed; then the hotfix-only toggle pressed, and released again (a
    // rebuild of the list without sorting it, each way).
    const auto run = [&](UINT command) {
        window->RunCommand(command);
        Pump();
    };
    ChangedEntry changed;
    const std::vector<double> medians = AlternatingMedians({
        {[&] { run(IDM_VIEW_REFRESH); }, [&] { window->Parts().inventory = vorlen::UninstallInventory(); }},
        {[&] { run(IDM_VIEW_REFRESH); }, [&] { changed.Change(); }},
        {[&] { run(IDM_VIEW_WUAU); }},
        {[&] { run(IDM_VIEW_WUAU); }},
    });
    const int entries = window->ListGrid().Rows() - 1;
    const double scanMs = medians[0], refreshMs = medians[1], onMs = medians[2], offMs = medians[3];
    std::printf(
        "refresh entries=%d scan_ms=%.1f refresh_ms=%.1f hotfix_on_ms=%.1f hotfix_off_ms=%.1f ratio=%.3f "
        "hotfix_on_ratio=%.3f hotfix_off_ratio=%.3f\n",
        entries, scanMs, refreshMs, onMs, offMs, refreshMs / scanMs, onMs / scanMs, offMs / scanMs);
    std::fflush(stdout);
}
