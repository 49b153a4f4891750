// vorlen_bench [scan] [grid]: runs the chosen benchmarks (both by default)
// against the registry of the current Wine prefix.
#include <cwchar>
#include <string>

void RunScanBenchmark();
void RunGridBenchmark();

int wmain(int argc, wchar_t** argv) {
    bool scan = argc < 2, grid = argc < 2;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"scan") == 0) scan = true;
        if (std::wcscmp(argv[i], L"grid") == 0) grid = true;
    }
    if (scan) RunScanBenchmark();
    if (grid) RunGridBenchmark();
    return 0;
}
