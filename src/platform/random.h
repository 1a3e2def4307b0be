#pragma once
// The random source: reseeded from the clock where the system asks for it,
// replaceable by a fixed sequence in tests.

#include <cstdint>
#include <random>
#include <vector>

namespace vxr::platform {

class Random {
public:
    virtual ~Random() = default;
    virtual void reseedFromClock() = 0;
    // A uniformly drawn integer in 0 .. range-1 (0 when range < 1).
    virtual int below(int range) = 0;
};

class ClockRandom final : public Random {
public:
    ClockRandom();
    void reseedFromClock() override;
    int below(int range) override;

private:
    std::mt19937 engine_;
};

// Returns the given values in turn (each taken modulo the range), for tests.
class SequenceRandom final : public Random {
public:
    explicit SequenceRandom(std::vector<int> values) : values_(std::move(values)) {}
    void reseedFromClock() override { ++reseeds_; }
    int below(int range) override;
    int reseeds() const { return reseeds_; }

private:
    std::vector<int> values_;
    size_t next_ = 0;
    int reseeds_ = 0;
};

ClockRandom& systemRandom();

}  // namespace vxr::platform
