#include "Delay.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

// The volatile store and load cannot be folded away, so every spin really runs.
void spin(std::uint32_t times) {
    volatile std::uint32_t sink = 0;
    for (std::uint32_t i = 0; i < times; ++i) {
        sink = sink + 1;
    }
}

} // namespace

std::int64_t Delay::countsFor(float k) {
    if (!(k >= 0)) {
        return 0;
    }
    // 2^62 counts would last longer than anyone waits; capping there keeps the +1 in range.
    constexpr double most = 4611686018427387904.0;
    return static_cast<std::int64_t>(std::min(std::floor(double{k}), most)) + 1;
}

std::int64_t Delay::operator()(float k) const {
    const std::int64_t counts = countsFor(k);
    for (std::int64_t count = 0; count < counts; ++count) {
        spin(spinsPerCount_);
    }
    return counts;
}

namespace {

// The fastest of a few runs of the count for k, per count: the run least disturbed by the rest
// of the machine.
double fastestCountNanoseconds(const Delay& delay, float k) {
    using Clock = std::chrono::steady_clock;
    double fastest = std::numeric_limits<double>::max();
    for (int run = 0; run < 5; ++run) {
        const auto begin = Clock::now();
        const std::int64_t counts = delay(k);
        const std::chrono::duration<double, std::nano> took = Clock::now() - begin;
        fastest = std::min(fastest, took.count() / static_cast<double>(counts));
    }
    return fastest;
}

} // namespace

Delay Delay::calibrated() {
    // Each round times the count itself, the same code the pause runs, and scales the spins to
    // the target. A processor that has just been idle runs slowly for its first few milliseconds,
    // so a single early round would choose too few spins for the whole run: the rounds go on until
    // two in a row agree to 1%. Warm, that is three or four rounds, about 10 ms; cold, a few
    // more, and 16 at most.
    constexpr int mostRounds = 16;
    std::uint32_t spins = 64;
    for (int round = 0; round < mostRounds; ++round) {
        const double perCount = fastestCountNanoseconds(Delay(spins), 1999);
        const double scaled = std::round(spins * targetCountNanoseconds / std::max(perCount, 1e-3));
        const auto next = static_cast<std::uint32_t>(std::clamp(scaled, 1.0, 1e6));
        const bool settled =
            round >= 2 && std::abs(static_cast<double>(next) - spins) <= 0.01 * spins;
        spins = next;
        if (settled) {
            break;
        }
    }
    return Delay(spins);
}
