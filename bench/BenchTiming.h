#pragma once
// The timing the benchmarks' ratios share.
#include <algorithm>
#include <chrono>

// The fastest of a few runs: the machine's and the disk's share swings from run to run, and both
// sides of a ratio are taken the same way.
template <typename F>
double bestMs(F run, int runs = 5)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        const auto t1 = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    return best;
}
