#include "Delay.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(Delay, CountsFloorOfKPlusOneAndNoneWhenNegative) {
    struct Case {
        float k;
        std::int64_t counts;
    };
    const Case cases[] = {
        {0.0f, 1},         {2.5f, 3},
        {0.999f, 1},       {7000.0f, 7001},
        {80000.0f, 80001}, {1000000.0f, 1000001},
        {-0.5f, 0},        {-1.0f, 0},
        {-21000.0f, 0},    {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Delay::countsFor(c.k), c.counts) << "k = " << c.k;
    }
}

TEST(Delay, HugeKSaturatesInsteadOfOverflowing) {
    const std::int64_t most = Delay::countsFor(std::numeric_limits<float>::max());
    EXPECT_GT(most, 0);
    EXPECT_EQ(Delay::countsFor(std::numeric_limits<float>::infinity()), most);
    EXPECT_GT(Delay::countsFor(1.0e18f), 999'999'000'000'000'000);
}

TEST(Delay, RunsTheCountsItPromises) {
    const Delay delay(1);
    EXPECT_EQ(delay(0.0f), 1);
    EXPECT_EQ(delay(2.5f), 3);
    EXPECT_EQ(delay(-3.0f), 0);
    EXPECT_EQ(delay(1000000.0f), 1000001);
}

TEST(Delay, CalibrationChoosesAtLeastOneSpinPerCount) {
    EXPECT_GE(Delay::calibrated().spinsPerCount(), 1u);
}

} // namespace
