#pragma once
// Timing and printing of the benchmarks' figures: the best of several runs, and one line a
// figure with its floor and goal.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace bench {

inline double msOf(const std::function<void()>& f, int runs = 5)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

inline void figure(const char* name, double ours, double floor, double goal)
{
    std::printf("%s: %.1f ms (floor %.1f ms, ratio %.2f; goal %.0f ms)\n", name, ours, floor, ours / floor, goal);
}
inline void figure(const std::string& name, double ours, double floor, double goal)
{
    figure(name.c_str(), ours, floor, goal);
}

}  // namespace bench
