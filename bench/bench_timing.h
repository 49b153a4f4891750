#pragma once
#include <algorithm>
#include <chrono>
#include <vector>

// Median milliseconds of `runs` timed calls after one untimed warm-up call.
template <typename Work>
double MedianMilliseconds(int runs, Work&& work) {
    work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
