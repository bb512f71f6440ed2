#include "AnimationState.h"
#include "Tick.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

struct Mode {
    const char* name;
    int n, m, mm;
};
constexpr Mode stopped{"stopped", 0, 0, 0};
constexpr Mode forward{"forward", 1, 0, 1};
constexpr Mode startUpForward{"start-up forward", 1, 0, 0};
constexpr Mode backward{"backward", 1, 1, 0};

AnimationState inMode(const Mode& mode, int l) {
    AnimationState state;
    state.n = mode.n;
    state.m = mode.m;
    state.mm = mode.mm;
    state.l = l;
    return state;
}

constexpr int noCommand = 99;

struct NetChange {
    int command;
    Mode from;
    int change;
    Mode to;
};

// What one tick does to the frame index after each command, from each running mode.
constexpr NetChange netChanges[] = {
    {noCommand, stopped, 0, stopped},
    {noCommand, forward, +1, forward},
    {noCommand, startUpForward, +1, startUpForward},
    {noCommand, backward, -1, backward},
    {Command::runBackward, stopped, -2, backward},
    {Command::runBackward, forward, -2, backward},
    {Command::runBackward, startUpForward, -2, backward},
    {Command::runBackward, backward, -2, backward},
    {Command::runForward, stopped, +2, forward},
    {Command::runForward, forward, +2, forward},
    {Command::runForward, startUpForward, +2, forward},
    {Command::runForward, backward, +2, forward},
    {Command::stepBack, stopped, -1, stopped},
    {Command::stepBack, forward, 0, stopped},
    {Command::stepBack, startUpForward, -1, stopped},
    {Command::stepBack, backward, 0, stopped},
    {Command::stepForward, stopped, +1, stopped},
    {Command::stepForward, forward, 0, stopped},
    {Command::stepForward, startUpForward, +1, stopped},
    {Command::stepForward, backward, 0, stopped},
};

TEST(Tick, NetChangeOfEachCommandFromEachMode) {
    for (const NetChange& row : netChanges) {
        for (int l : {0, 1, 12, 22, 23}) {
            SCOPED_TRACE("command " + std::to_string(row.command) + " from " + row.from.name +
                         " at frame " + std::to_string(l));
            AnimationState state = inMode(row.from, l);
            if (row.command != noCommand) {
                state.n = row.command;
            }
            const int shown = tick(state);
            EXPECT_EQ(shown, (l + 24 + row.change) % 24);
            EXPECT_EQ(state.l, shown);
            EXPECT_EQ(state.n, row.to.n);
            EXPECT_EQ(state.m, row.to.m);
            EXPECT_EQ(state.mm, row.to.mm);
        }
    }
}

TEST(Tick, StartKeepsWhatHandlersWroteDuringLoading) {
    AnimationState state;
    state.nm = 1;
    state.n1 = 0;
    state.yyy = 3.5f;
    start(state);
    EXPECT_EQ(state.n, 1);
    EXPECT_EQ(state.k, 1000000.0f);
    EXPECT_EQ(state.hl, 0);
    EXPECT_EQ(state.updo, 1);
    EXPECT_EQ(state.nm, 1);
    EXPECT_EQ(state.yyy, 3.5f);
    EXPECT_EQ(state.l, 0);
}

TEST(Tick, WithNoInputTheFramesRunForwardAndWrap) {
    AnimationState state;
    start(state);
    for (int expected = 1; expected <= 50; ++expected) {
        ASSERT_EQ(tick(state), expected % 24);
    }
}

TEST(Tick, RunBackwardFromFrameZeroShowsTwentyTwoThenCountsDown) {
    AnimationState state;
    start(state);
    state.n = Command::runBackward;
    EXPECT_EQ(tick(state), 22);
    EXPECT_EQ(tick(state), 21);
    EXPECT_EQ(tick(state), 20);
}

TEST(Tick, StepsFromStoppedMoveExactlyOneFrameAndWrap) {
    AnimationState state; // stopped at frame 0
    state.n = Command::stepBack;
    EXPECT_EQ(tick(state), 23);
    EXPECT_EQ(tick(state), 23) << "stays stopped";
    state.n = Command::stepForward;
    EXPECT_EQ(tick(state), 0);
    state.n = Command::stepForward;
    EXPECT_EQ(tick(state), 1);
    EXPECT_EQ(tick(state), 1);
}

TEST(Tick, StepBackAfterRunForwardStopsOnTheSameFrameThenSteps) {
    AnimationState state;
    start(state);
    state.n = Command::runForward;
    EXPECT_EQ(tick(state), 2);
    EXPECT_EQ(tick(state), 3);
    state.n = Command::stepBack;
    EXPECT_EQ(tick(state), 3) << "only stops";
    state.n = Command::stepBack;
    EXPECT_EQ(tick(state), 2);
    state.n = Command::stepBack;
    EXPECT_EQ(tick(state), 1);
}

TEST(Tick, InvariantsHoldOverLongRandomCommandSequences) {
    constexpr int commands[] = {0, Command::runBackward, Command::runForward, Command::stepBack,
                                Command::stepForward};
    std::mt19937 random(20261211);
    for (int run = 0; run < 20; ++run) {
        AnimationState state;
        start(state);
        for (int step = 0; step < 10000; ++step) {
            const int command = commands[random() % 5];
            if (command != 0) {
                state.n = command;
            }
            const int shown = tick(state);
            ASSERT_GE(shown, 0);
            ASSERT_LE(shown, 23);
            ASSERT_EQ(shown, state.l);
            ASSERT_FALSE(state.m == 1 && state.mm == 1);
            ASSERT_TRUE(state.n == 0 || state.n == 1) << "n = " << state.n;
        }
    }
}

} // namespace

namespace {

TEST(TickDeathTest, DebugBuildsStopOnABrokenState) {
#ifdef NDEBUG
    GTEST_SKIP() << "the checks are compiled into debug builds only";
#endif
    struct Case {
        const char* what;
        AnimationState state;
        const char* message;
    };
    AnimationState both;
    both.n = 1;
    both.m = 1;
    both.mm = 1;
    AnimationState offTheEnd;
    offTheEnd.l = 24;
    AnimationState strangeCommand;
    strangeCommand.n = 5;
    const Case cases[] = {
        {"both directions", both, "running backward and forward at once"},
        {"index 24", offTheEnd, "frame index l outside 0..23"},
        {"unknown command", strangeCommand, "a command left in n"},
    };
    for (const Case& c : cases) {
        AnimationState state = c.state;
        EXPECT_DEATH(tick(state), c.message) << c.what;
    }
}

} // namespace
