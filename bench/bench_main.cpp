// vorlen_bench [scan] [grid] [ui] [refresh]: runs the chosen benchmarks (all
// by default) against the registry of the current Wine prefix. The ui line
// compares the window's start-up with the scan measured in the same run.
#include <cwchar>
#include <string>

double RunScanBenchmark();
void RunGridBenchmark();
void RunUiBenchmark(double scanMs);
void RunRefreshBenchmark();

int wmain(int argc, wchar_t** argv) {
    bool scan = argc < 2, grid = argc < 2, ui = argc < 2, refresh = argc < 2;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"scan") == 0) scan = true;
        if (std::wcscmp(argv[i], L"grid") == 0) grid = true;
        if (std::wcscmp(argv[i], L"ui") == 0) ui = true;
        if (std::wcscmp(argv[i], L"refresh") == 0) refresh = true;
    }
    double scanMs = 0;
    if (scan || ui) scanMs = RunScanBenchmark();
    if (grid) RunGridBenchmark();
    if (ui) RunUiBenchmark(scanMs);
    if (refresh) RunRefreshBenchmark();
    return 0;
}
