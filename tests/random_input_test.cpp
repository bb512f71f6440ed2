#include "AnimationState.h"
#include "Delay.h"
#include "Keyboard.h"
#include "Mouse.h"
#include "Tick.h"

#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

// Every kind of input the window can deliver, at random, with a tick now and then: whatever the
// user does, the state stays sound and the next pause stays finite.
TEST(RandomInput, AMillionEventsKeepTheStateSoundAndThePauseBounded) {
    std::mt19937_64 random(0x5eed);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> character(0, 0xffff);
    std::uniform_real_distribution<float> near(-2.0f, 32.0f);
    // The user scale of a pointer 32767 px outside the area, either way.
    std::uniform_real_distribution<float> farX(-1761.0f, 1761.0f);
    std::uniform_real_distribution<float> farY(-1274.0f, 1274.0f);
    constexpr char16_t commands[] = u"-+,/* .";

    AnimationState state;
    start(state);
    for (int event = 0; event < 1'000'000; ++event) {
        switch (kind(random)) {
        case 0:
        case 1:
            keyTyped(state, commands[random() % 7]);
            break;
        case 2:
            keyTyped(state, static_cast<char16_t>(character(random)));
            break;
        case 3:
        case 4:
            pointerMoved(state, near(random), near(random));
            break;
        case 5:
            pointerMoved(state, farX(random), farY(random));
            break;
        case 6:
            clicked(state);
            break;
        default:
            tick(state);
            ASSERT_TRUE(state.l >= 0 && state.l < 24) << state.l;
            ASSERT_FALSE(state.m == 1 && state.mm == 1);
            ASSERT_TRUE(state.n == 0 || state.n == 1) << state.n;
            ASSERT_TRUE(std::isfinite(state.k)) << state.k;
            // Far outside, a pause may last minutes, never longer.
            ASSERT_LE(Delay::countsFor(state.k), 200'000'000);
            break;
        }
        ASSERT_TRUE(state.nm == 0 || state.nm == 1);
    }
}

} // namespace
