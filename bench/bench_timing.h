#pragma once
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// How many timed runs each benchmark makes after its warm-up: 5 unless the
// command line says `runs=N` (the tests run every line once to its end).
inline int benchRuns = 5;

// One side of a comparison: `prepare` runs untimed before each timed `work`.
struct TimedWork {
    std::function<void()> work;
    std::function<void()> prepare = [] {};
};

// The median milliseconds of each work, measured alternating: one untimed
// warm-up round, then benchRuns rounds in which every work runs once in
// turn, so that a change in the machine's load falls on all sides alike.
inline std::vector<double> AlternatingMedians(const std::vector<TimedWork>& works) {
    std::vector<std::vector<double>> times(works.size());
    for (int round = 0; round <= benchRuns; ++round) {
        for (std::size_t i = 0; i < works.size(); ++i) {
            works[i].prepare();
            const auto start = std::chrono::steady_clock::now();
            works[i].work();
            const auto end = std::chrono::steady_clock::now();
            if (round > 0) times[i].push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    }
    std::vector<double> medians;
    for (std::vector<double>& each : times) {
        std::sort(each.begin(), each.end());
        medians.push_back(each[each.size() / 2]);
    }
    return medians;
}

// The median milliseconds of one work alone, after one warm-up.
template <typename Work>
double MedianMilliseconds(Work&& work) {
    return AlternatingMedians({TimedWork{std::forward<Work>(work)}})[0];
}
