// vorlen_memory_bench: what the main window keeps for every entry of the
// current Wine prefix against the UTF-16 size of the texts its list shows.
//
// Every busy block of every heap of the process is counted (its data and the
// heap's own overhead for it) by walking the heaps just before the window is
// created and again after its first scan, fill and layout. The difference is
// what the window holds: the list grid, the inventory's kept reads, the row
// index of the view, the sort's leftovers, accessible objects, and the fixed
// cost of its controls.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/win32_services.h"
#include "window/main_window.h"

namespace {

long long BusyHeapBytes() {
    std::vector<HANDLE> heaps(64);
    for (;;) {
        const DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
        if (count <= heaps.size()) {
            heaps.resize(count);
            break;
        }
        heaps.resize(count + 16);
    }
    long long bytes = 0;
    for (const HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) bytes += entry.cbData + entry.cbOverhead;
        }
        HeapUnlock(heap);
    }
    return bytes;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int wmain() {
    vorlen::Win32Services platform;
    const vorlen::MainWindowServices services = platform.Services();
    const long long before = BusyHeapBytes();
    auto window = std::make_unique<vorlen::MainWindow>(GetModuleHandleW(nullptr), services);
    window->Create(SW_HIDE);
    Pump();
    const long long keptBytes = BusyHeapBytes() - before;

    const vorlen::GridModel& list = window->ListGrid();
    long long textBytes = 0;
    for (int row = 0; row < list.Rows(); ++row)
        for (int col = 0; col < list.Cols(); ++col)
            textBytes += static_cast<long long>(list.Text(row, col).size() * sizeof(wchar_t));
    std::printf("memory entries=%d text_bytes=%lld kept_bytes=%lld ratio=%.3f\n", list.Rows() - 1, textBytes, keptBytes,
                static_cast<double>(keptBytes) / static_cast<double>(textBytes));
    std::fflush(stdout);
    return 0;
}
