// The scan against the lower bound of its own algorithm: one thread that
// enumerates the sub-keys of the three places and, per sub-key, opens it,
// enumerates every value into one reused buffer and closes it, keeping
// nothing. Under Wine nearly
// all of that is round trips to the registry's server.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_timing.h"
#include "grid/grid_model.h"
#include "inventory/inventory_scan.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/registry_win32.h"
#include "window/list_grid.h"

namespace {

// One place: its root and the view flag the scan opens it with.
int RawWalk(HKEY rootKey, REGSAM view, std::vector<wchar_t>& name, std::vector<BYTE>& data) {
    HKEY root = nullptr;
    if (RegOpenKeyExW(rootKey, vorlen::kUninstallKeyPath, 0, KEY_ENUMERATE_SUB_KEYS | view, &root) != ERROR_SUCCESS)
        return 0;
    wchar_t keyName[256];
    int keys = 0;
    for (DWORD index = 0;; ++index) {
        DWORD keyLength = 256;
        if (RegEnumKeyExW(root, index, keyName, &keyLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        ++keys;
        HKEY key = nullptr;
        const std::wstring path = std::wstring(vorlen::kUninstallKeyPath) + keyName;
        if (RegOpenKeyExW(rootKey, path.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) continue;
        for (DWORD value = 0;; ++value) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD dataLength = static_cast<DWORD>(data.size());
            DWORD type = 0;
            const LSTATUS status =
                RegEnumValueW(key, value, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength);
            if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) break;
        }
        RegCloseKey(key);
    }
    RegCloseKey(root);
    return keys;
}

// The three places the scan reads, in its order.
int RawWalk() {
    std::vector<wchar_t> name(16384);
    std::vector<BYTE> data(64 * 1024);
    return RawWalk(HKEY_LOCAL_MACHINE, 0, name, data) + RawWalk(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, name, data) +
           RawWalk(HKEY_CURRENT_USER, 0, name, data);
}

}  // namespace

double RunScanBenchmark() {
    const vorlen::Win32Registry registry;
    const vorlen::UserLocaleCollator collator;
    int entries = 0;
    const double raw = MedianMilliseconds(5, [&] { entries = RawWalk(); });
    const double vorlenMs = MedianMilliseconds(5, [&] {
        vorlen::GridModel grid(2, vorlen::kListColumnCount);
        vorlen::FillListGrid(grid, vorlen::ScanUninstallEntries(registry, vorlen::ScanRules{}));
        grid.Sort(vorlen::kListColumnDisplayName, vorlen::SortDirection::Ascending, collator);
        for (int row = 1; row < grid.Rows(); ++row) grid.SetText(row, vorlen::kListColumnNumber, std::to_wstring(row));
    });
    std::printf("scan entries=%d raw_ms=%.1f vorlen_ms=%.1f ratio=%.3f readers=%u\n", entries, raw, vorlenMs,
                vorlenMs / raw, vorlen::DefaultReaderCount());
    std::fflush(stdout);
    return vorlenMs;
}
