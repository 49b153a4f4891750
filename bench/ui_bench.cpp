// The main window at full size: start-up (initialisation, load step and first
// layout with the window created, hidden), a filter toggle, a sort command
// and a refresh, each against the same work done on a bare grid model, the
// two measured in turn.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/win32_services.h"
#include "bench_timing.h"
#include "inventory/column_filter.h"
#include "inventory/inventory_scan.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/registry_win32.h"
#include "resources/resource.h"
#include "window/list_grid.h"
#include "window/main_window.h"

namespace {

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

void RunUiBenchmark(double scanMs) {
    const vorlen::Win32Registry registry;
    const vorlen::UserLocaleCollator collator;
    vorlen::Win32Services platform;
    const vorlen::MainWindowServices services = platform.Services();

    std::unique_ptr<vorlen::MainWindow> window;
    const double startupMs = MedianMilliseconds([&] {
        window.reset();
        Pump();
        window = std::make_unique<vorlen::MainWindow>(GetModuleHandleW(nullptr), services);
        window->Create(SW_HIDE);
    });
    Pump();
    vorlen::MainWindow& shown = *window;
    const int entries = shown.ListGrid().Rows() - 1;

    // The same work on a bare grid model, refreshed through kept reads as the window's F5 is.
    vorlen::GridModel bare(2, vorlen::kListColumnCount);
    vorlen::ScanRules rules;
    rules.settings = shown.Program().settings;
    rules.osName = shown.Program().osName;
    vorlen::UninstallInventory inventory;
    vorlen::FillListGrid(bare, inventory.Scan(registry, rules));

    // The window's operations, each followed by the message processing it
    // causes, in turn with the bare model's: a filter applied and released
    // again (two clicks of a toggle), two sorts, and a refresh.
    shown.Info().SetBoxText(1, L"Vorlen");
    const auto command = [&](UINT id) {
        shown.RunCommand(id);
        Pump();
    };
    const std::vector<double> medians = AlternatingMedians({
        {[&] {
            command(IDM_FILTER_NAME);
            command(IDM_FILTER_NAME);
        }},
        {[&] {
            vorlen::ApplyColumnFilter(bare, vorlen::kListColumnDisplayName, L"Vorlen");
            vorlen::ShowAllRows(bare);
        }},
        {[&] {
            shown.RunCommand(IDM_SORT_KEY_DOWN);
            shown.RunCommand(IDM_SORT_NAME_UP);
            Pump();
        }},
        {[&] {
            bare.Sort(vorlen::kListColumnKeyName, vorlen::SortDirection::Descending, collator);
            bare.Sort(vorlen::kListColumnDisplayName, vorlen::SortDirection::Ascending, collator);
        }},
        {[&] { command(IDM_VIEW_REFRESH); }},
        {[&] {
            vorlen::FillListGrid(bare, inventory.Scan(registry, rules));
            bare.Sort(vorlen::kListColumnDisplayName, vorlen::SortDirection::Ascending, collator);
        }},
    });
    const double filterMs = medians[0], bareFilterMs = medians[1];
    const double sortMs = medians[2] / 2, bareSortMs = medians[3] / 2;
    const double refreshMs = medians[4], bareRefreshMs = medians[5];

    std::printf(
        "ui entries=%d startup_ms=%.1f filter_ms=%.2f sort_ms=%.2f refresh_ms=%.1f startup_vs_scan=%.3f "
        "filter_vs_model=%.3f sort_vs_model=%.3f refresh_vs_model=%.3f\n",
        entries, startupMs, filterMs, sortMs, refreshMs, startupMs / scanMs, filterMs / bareFilterMs,
        sortMs / bareSortMs, refreshMs / bareRefreshMs);
    std::fflush(stdout);
}
