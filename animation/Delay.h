#pragma once

#include <cstdint>

// The pause at the end of every tick: a busy count from 0 up to k, with no sleep and no clock.
// The frame period grows linearly with k. One count is made of a fixed number of spins, chosen
// once at start-up so that a count takes about half a microsecond on any machine.
class Delay {
  public:
    static constexpr double targetCountNanoseconds = 500.0;

    explicit Delay(std::uint32_t spinsPerCount) : spinsPerCount_(spinsPerCount) {}

    // Measures this machine against the steady clock (about 10 ms, longer on a processor that
    // has just woken from idle).
    static Delay calibrated();

    // floor(k) + 1 for k >= 0, none for a negative k (or NaN). Saturates instead of overflowing.
    static std::int64_t countsFor(float k);

    // Runs the count for k and returns how many counts it ran.
    std::int64_t operator()(float k) const;

    std::uint32_t spinsPerCount() const { return spinsPerCount_; }

  private:
    std::uint32_t spinsPerCount_;
};
