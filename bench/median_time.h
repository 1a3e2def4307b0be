#pragma once
// The median wall-clock time of repeated work, for the bench programs.

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace vxr::bench {

inline double medianMicroseconds(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[static_cast<std::size_t>(rounds / 2)];
}

}  // namespace vxr::bench
