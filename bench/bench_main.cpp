// vorlen_bench [scan] [peer] [grid] [ui] [refresh] [runs=N] [vorlen=PATH]:
// runs the chosen benchmarks (all by default) against the registry of the
// current Wine prefix, each with N timed runs after its warm-up (5 unless
// given). The ui line compares the window's start-up with the scan measured
// in the same run; the peer line starts vorlen.exe from PATH (the build's
// when not given).
#include <algorithm>
#include <cwchar>
#include <string>

#include "bench_timing.h"

double RunScanBenchmark();
void RunPeerBenchmark(std::wstring vorlen);
void RunGridBenchmark();
void RunUiBenchmark(double scanMs);
void RunRefreshBenchmark();

int wmain(int argc, wchar_t** argv) {
    bool chosen = false, scan = false, peer = false, grid = false, ui = false, refresh = false;
    std::wstring vorlen;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        bool* which = argument == L"scan"      ? &scan
                      : argument == L"peer"    ? &peer
                      : argument == L"grid"    ? &grid
                      : argument == L"ui"      ? &ui
                      : argument == L"refresh" ? &refresh
                                               : nullptr;
        if (which) {
            *which = chosen = true;
        } else if (argument.starts_with(L"runs=")) {
            benchRuns = std::max(1, std::stoi(argument.substr(5)));
        } else if (argument.starts_with(L"vorlen=")) {
            vorlen = argument.substr(7);
        } else {
            std::fwprintf(stderr, L"vorlen_bench: unknown argument %ls\n", argv[i]);
            return 2;
        }
    }
    if (!chosen) scan = peer = grid = ui = refresh = true;
    double scanMs = 0;
    if (scan || ui) scanMs = RunScanBenchmark();
    if (peer) RunPeerBenchmark(vorlen);
    if (grid) RunGridBenchmark();
    if (ui) RunUiBenchmark(scanMs);
    if (refresh) RunRefreshBenchmark();
    return 0;
}
