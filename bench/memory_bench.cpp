// vorlen_memory_bench: what the list grid's storage costs for every entry of
// the current Wine prefix against the UTF-16 size of the texts it holds.
//
// Every allocation through operator new is counted while the grid is built
// and filled, at the size the Windows heap gives it: the request rounded up
// to 16 bytes plus a 16-byte block header. The scan's own allocations are
// made and freed before counting starts, so what remains counted is the
// grid's alone: its cells, strings, row records and indexes.
#include <windows.h>
#include <malloc.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "grid/grid_model.h"
#include "inventory/inventory_scan.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/registry_win32.h"
#include "window/list_grid.h"

namespace {

std::atomic<long long> liveHeapBytes{0};

long long HeapCost(void* block) { return static_cast<long long>((_msize(block) + 15) / 16 * 16 + 16); }

}  // namespace

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (!block) throw std::bad_alloc();
    liveHeapBytes += HeapCost(block);
    return block;
}

void operator delete(void* block) noexcept {
    if (!block) return;
    liveHeapBytes -= HeapCost(block);
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

int wmain() {
    const std::vector<vorlen::ListedEntry> entries =
        vorlen::ScanUninstallEntries(vorlen::Win32Registry(), vorlen::ScanRules{});
    const vorlen::UserLocaleCollator collator;

    const long long before = liveHeapBytes;
    auto* grid = new vorlen::GridModel(2, vorlen::kListColumnCount);
    vorlen::FillListGrid(*grid, entries);
    grid->Sort(vorlen::kListColumnDisplayName, vorlen::SortDirection::Ascending, collator);
    vorlen::RenumberListGrid(*grid);
    const long long listBytes = liveHeapBytes - before;

    long long textBytes = 0;
    for (int row = 0; row < grid->Rows(); ++row)
        for (int col = 0; col < grid->Cols(); ++col)
            textBytes += static_cast<long long>(grid->Text(row, col).size() * sizeof(wchar_t));
    std::printf("memory entries=%d text_bytes=%lld list_bytes=%lld ratio=%.3f\n", grid->Rows() - 1, textBytes,
                listBytes, static_cast<double>(listBytes) / static_cast<double>(textBytes));
    delete grid;
    return 0;
}
