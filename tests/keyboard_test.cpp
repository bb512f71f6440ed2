#include "AnimationState.h"
#include "Keyboard.h"
#include "Tick.h"

#include <gtest/gtest.h>

namespace {

constexpr int unchanged = 1; // the n every row starts from

TEST(Keyboard, EachCharacterSetsItsCommandAndOthersDoNothing) {
    struct Case {
        char16_t code;
        int n;
    };
    const Case cases[] = {
        {u'-', Command::runBackward},
        {u'+', Command::runForward},
        {u',', Command::runForward},
        {u'/', Command::stepBack},
        {u'*', Command::stepForward},
        {u' ', Command::stepForward},
        {u'.', Command::stepForward},
        {u'a', unchanged},
        {u'A', unchanged},
        {u'0', unchanged},
        {u'9', unchanged},
        {u'=', unchanged},
        {u'_', unchanged},
        {u'\r', unchanged},
        {u'\t', unchanged},
        {u'\u00e9', unchanged},        // é
        {u'\u2212', unchanged},        // a typographic minus is not "-"
        {u'\uff0b', unchanged},        // nor is a full-width plus "+"
        {char16_t{0xd83d}, unchanged}, // half of a surrogate pair
        {char16_t{27}, unchanged},     // ESC quits in the window, before commands are looked at
        {char16_t{0}, unchanged},
    };
    for (const Case& c : cases) {
        AnimationState state;
        state.n = unchanged;
        keyTyped(state, c.code);
        EXPECT_EQ(state.n, c.n) << "code " << static_cast<int>(c.code);
        EXPECT_EQ(state.m, 0);
        EXPECT_EQ(state.mm, 0);
        EXPECT_EQ(state.k, 0.0f);
    }
}

// A running animation with the keys typed between ticks, as the user types during the pause.
class KeyboardSession : public ::testing::Test {
  protected:
    KeyboardSession() { start(state); }

    int type(const char16_t* keys) {
        for (; *keys != 0; ++keys) {
            keyTyped(state, *keys);
        }
        return tick(state);
    }

    AnimationState state;
};

TEST_F(KeyboardSession, PlusTwiceInSeparatePausesMovesTwoFramesEachTimeAndKeepsRunning) {
    EXPECT_EQ(type(u"+"), 2);
    EXPECT_EQ(type(u"+"), 4);
    EXPECT_EQ(type(u""), 5);
    EXPECT_EQ(state.mm, 1);
}

TEST_F(KeyboardSession, StarOnAStoppedAnimationAdvancesOneFramePerPress) {
    EXPECT_EQ(type(u"/"), 23) << "from start-up: one frame back, and stopped";
    for (int presses = 1; presses <= 30; ++presses) {
        EXPECT_EQ(type(u"*"), (23 + presses) % 24);
        EXPECT_EQ(type(u""), (23 + presses) % 24) << "stays stopped between presses";
    }
}

TEST_F(KeyboardSession, PlusThenLaterSlashStopsWithoutMoving) {
    EXPECT_EQ(type(u"+"), 2);
    EXPECT_EQ(type(u""), 3);
    EXPECT_EQ(type(u"/"), 3);
    EXPECT_EQ(type(u"/"), 2) << "every further / steps one frame back";
    EXPECT_EQ(type(u"/"), 1);
}

TEST_F(KeyboardSession, SecondAndThirdKeysForForwardCommands) {
    EXPECT_EQ(type(u","), 2) << ", runs forward like +";
    EXPECT_EQ(type(u"."), 2) << ". after a run command only stops";
    EXPECT_EQ(type(u" "), 3) << "space steps forward";
}

TEST_F(KeyboardSession, OfSeveralKeysInOnePauseTheLastActs) {
    EXPECT_EQ(type(u"+-"), 22) << "run backward: two frames back from 0";
    EXPECT_EQ(type(u"-+x"), 0) << "run forward: two frames on";
    EXPECT_EQ(type(u"*/"), 0) << "step back after a run command only stops";
}

} // namespace
