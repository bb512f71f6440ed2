#include "AnimationState.h"
#include "Delay.h"
#include "Mouse.h"
#include "Tick.h"

#include <gtest/gtest.h>

namespace {

TEST(Mouse, PointerPositionSetsTheDelay) {
    struct Case {
        const char* where;
        float x, y, k;
    };
    const Case cases[] = {
        {"x 10, y 10", 10.0f, 10.0f, 7000.0f},
        {"left edge", 0.0f, 20.0f, 0.0f},
        {"top edge", 14.0f, 0.0f, 0.0f},
        {"visible bottom-right corner", 14.882797f, 20.2844238f, 21132.2285f},
        // (x * 70) rounded to float before multiplying by y would give 0x1.c0f806p-2.
        {"product rounded once", 0x1.b824dap-5f, 0x1.dd8p-4f, 0x1.c0f808p-2f},
        {"left of the area", -1.0f, 10.0f, -700.0f},
    };
    for (const Case& c : cases) {
        AnimationState state;
        pointerMoved(state, c.x, c.y);
        EXPECT_FLOAT_EQ(state.k, c.k) << c.where;
        EXPECT_EQ(state.n, 0) << c.where << ": normal motion never commands";
    }
    AnimationState state;
    pointerMoved(state, 0x1.b824dap-5f, 0x1.dd8p-4f);
    EXPECT_EQ(state.k, 0x1.c0f808p-2f) << "exactly, not just nearly";
}

TEST(Mouse, ANegativeProductMakesThePauseEmpty) {
    AnimationState state;
    pointerMoved(state, 5.0f, -3.0f);
    EXPECT_LT(state.k, 0.0f);
    EXPECT_EQ(Delay::countsFor(state.k), 0);
}

// A running animation steered by the mouse between ticks.
class MouseSession : public ::testing::Test {
  protected:
    MouseSession() { start(state); }
    AnimationState state;
};

TEST_F(MouseSession, InScrubModeDownOrSidewaysStepsForwardAndUpStepsBack) {
    clicked(state);
    ASSERT_EQ(state.nm, 1);
    pointerMoved(state, 3.0f, 10.0f);
    EXPECT_EQ(state.k, 80000.0f);
    EXPECT_EQ(tick(state), 1) << "first step from start-up running moves one frame";
    pointerMoved(state, 8.0f, 10.0f); // sideways
    EXPECT_EQ(tick(state), 2);
    pointerMoved(state, 8.0f, 12.0f); // down
    EXPECT_EQ(tick(state), 3);
    pointerMoved(state, 8.0f, 11.0f); // up
    EXPECT_EQ(tick(state), 2);
    EXPECT_EQ(tick(state), 2) << "stopped until the next motion";
}

TEST_F(MouseSession, FirstScrubMotionComparesWithTheLastYSeenInScrubMode) {
    clicked(state);
    pointerMoved(state, 1.0f, 0.0f);
    EXPECT_EQ(state.n, Command::stepForward) << "y 0 against a yyy never set";
    pointerMoved(state, 1.0f, 15.0f);
    clicked(state); // leave scrub mode
    pointerMoved(state, 1.0f, 2.0f);
    clicked(state); // enter it again
    pointerMoved(state, 1.0f, 10.0f);
    EXPECT_EQ(state.n, Command::stepBack) << "10 is above the 15 seen the time before";
}

TEST_F(MouseSession, ScrubbingAfterARunCommandFirstOnlyStops) {
    state.n = Command::runForward;
    EXPECT_EQ(tick(state), 2);
    clicked(state);
    EXPECT_EQ(tick(state), 3) << "scrub mode alone changes nothing";
    pointerMoved(state, 1.0f, 5.0f);
    EXPECT_EQ(tick(state), 3) << "stops on the frame reached";
    pointerMoved(state, 1.0f, 6.0f);
    EXPECT_EQ(tick(state), 4);
}

TEST_F(MouseSession, LeavingScrubModeRestoresTheRunAndKeepsTheScrubDelay) {
    pointerMoved(state, 2.0f, 3.0f);
    state.n = Command::runBackward;
    EXPECT_EQ(tick(state), 22);
    clicked(state);
    pointerMoved(state, 2.0f, 4.0f);
    EXPECT_EQ(tick(state), 22);
    pointerMoved(state, 2.0f, 5.0f);
    EXPECT_EQ(tick(state), 23);
    clicked(state);
    EXPECT_EQ(state.nm, 0);
    EXPECT_EQ(state.k, 80000.0f);
    EXPECT_EQ(tick(state), 22) << "runs backward again";
    EXPECT_EQ(tick(state), 21);
    pointerMoved(state, 10.0f, 10.0f);
    EXPECT_EQ(state.k, 7000.0f) << "the next motion sets the speed again";
    EXPECT_EQ(state.n, 1);
}

TEST(Mouse, AClickDuringLoadingStopsTheAnimationWhenScrubModeEnds) {
    AnimationState state;
    clicked(state); // while the frames load: saves the n that was never set
    start(state);
    EXPECT_EQ(tick(state), 1) << "runs anyway";
    EXPECT_EQ(tick(state), 2);
    clicked(state);
    EXPECT_EQ(tick(state), 2) << "the restored n stops it";
    EXPECT_EQ(tick(state), 2);
}

} // namespace
