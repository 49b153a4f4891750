// The scan against the best the registry allows. Its baseline, the bare
// walk, does only what the scan cannot avoid, on the scan's own reader
// threads: each of R threads enumerates every R-th sub-key of each place
// (with the last-write time, as the scan asks for it), opens it, enumerates
// every value into a buffer it reuses and closes it, keeping nothing. Under
// Wine nearly all of that is round trips to the registry's server. The
// one-thread walk of the same keys is shown beside it.
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench_timing.h"
#include "grid/grid_model.h"
#include "inventory/inventory_scan.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/registry_win32.h"
#include "window/list_grid.h"

namespace {

struct Place {
    HKEY root;
    REGSAM view;
};
const Place kPlaces[] = {{HKEY_LOCAL_MACHINE, 0}, {HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY}, {HKEY_CURRENT_USER, 0}};

// Reused by one walking thread for every key it opens.
struct WalkBuffers {
    std::vector<wchar_t> keyName = std::vector<wchar_t>(256);
    std::vector<wchar_t> valueName = std::vector<wchar_t>(16384);
    std::vector<BYTE> data = std::vector<BYTE>(64 * 1024);
    std::wstring path;
};

// Opens the place's sub-key `index` by its path, as the scan does, and
// enumerates its values. False when the place has no more sub-keys.
bool WalkSubKey(const Place& place, HKEY uninstall, DWORD index, WalkBuffers& buffers) {
    DWORD keyLength = static_cast<DWORD>(buffers.keyName.size());
    FILETIME lastWrite{};
    const LSTATUS status =
        RegEnumKeyExW(uninstall, index, buffers.keyName.data(), &keyLength, nullptr, nullptr, nullptr, &lastWrite);
    if (status == ERROR_NO_MORE_ITEMS) return false;
    if (status != ERROR_SUCCESS) return true;
    buffers.path.assign(vorlen::kUninstallKeyPath);
    buffers.path.append(buffers.keyName.data(), keyLength);
    HKEY key = nullptr;
    if (RegOpenKeyExW(place.root, buffers.path.c_str(), 0, KEY_QUERY_VALUE | place.view, &key) != ERROR_SUCCESS)
        return true;
    for (DWORD value = 0;; ++value) {
        DWORD nameLength = static_cast<DWORD>(buffers.valueName.size());
        DWORD dataLength = static_cast<DWORD>(buffers.data.size());
        DWORD type = 0;
        const LSTATUS read = RegEnumValueW(key, value, buffers.valueName.data(), &nameLength, nullptr, &type,
                                           buffers.data.data(), &dataLength);
        if (read != ERROR_SUCCESS && read != ERROR_MORE_DATA) break;
    }
    RegCloseKey(key);
    return true;
}

HKEY OpenUninstallKey(const Place& place) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(place.root, vorlen::kUninstallKeyPath, 0, KEY_ENUMERATE_SUB_KEYS | place.view, &key) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

// Every key of the three places on `threads` threads, thread t taking the
// indexes t, t + threads, t + 2 × threads … of each place. Returns the keys.
int BareWalk(unsigned threads) {
    std::vector<HKEY> uninstall;
    for (const Place& place : kPlaces) uninstall.push_back(OpenUninstallKey(place));
    std::vector<int> walked(threads, 0);
    std::vector<std::thread> walkers;
    for (unsigned t = 0; t < threads; ++t) {
        walkers.emplace_back([&, t] {
            WalkBuffers buffers;
            for (std::size_t p = 0; p < std::size(kPlaces); ++p) {
                if (!uninstall[p]) continue;
                for (DWORD index = t; WalkSubKey(kPlaces[p], uninstall[p], index, buffers); index += threads)
                    ++walked[t];
            }
        });
    }
    for (std::thread& walker : walkers) walker.join();
    for (HKEY key : uninstall)
        if (key) RegCloseKey(key);
    int keys = 0;
    for (const int each : walked) keys += each;
    return keys;
}

}  // namespace

double RunScanBenchmark() {
    const vorlen::Win32Registry registry;
    const vorlen::UserLocaleCollator collator;
    const unsigned readers = vorlen::DefaultReaderCount();
    int entries = 0;
    const std::vector<double> medians = AlternatingMedians({
        {[&] { entries = BareWalk(1); }},
        {[&] { entries = BareWalk(readers); }},
        {[&] {
            // What start-up does with the registry: the scan, the fill and
            // the sort by program name with the renumbering.
            vorlen::GridModel grid(2, vorlen::kListColumnCount);
            vorlen::FillListGrid(grid, vorlen::ScanUninstallEntries(registry, vorlen::ScanRules{}, readers));
            grid.Sort(vorlen::kListColumnDisplayName, vorlen::SortDirection::Ascending, collator);
            vorlen::RenumberListGrid(grid);
        }},
    });
    const double singleMs = medians[0], bareMs = medians[1], vorlenMs = medians[2];
    std::printf("scan entries=%d single_ms=%.1f bare_ms=%.1f vorlen_ms=%.1f ratio=%.3f single_ratio=%.3f readers=%u\n",
                entries, singleMs, bareMs, vorlenMs, vorlenMs / bareMs, vorlenMs / singleMs, readers);
    std::fflush(stdout);
    return vorlenMs;
}
