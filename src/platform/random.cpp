#include "platform/random.h"

#include <chrono>

namespace vxr::platform {

ClockRandom::ClockRandom() { reseedFromClock(); }

void ClockRandom::reseedFromClock() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32)};
    engine_.seed(seed);
}

int ClockRandom::below(int range) {
    if (range < 1) return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(engine_);
}

int SequenceRandom::below(int range) {
    if (range < 1 || values_.empty()) return 0;
    const int value = values_[next_ % values_.size()];
    ++next_;
    return ((value % range) + range) % range;
}

ClockRandom& systemRandom() {
    static ClockRandom random;
    return random;
}

}  // namespace vxr::platform
