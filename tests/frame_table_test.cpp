#include "FrameTable.h"

#include <gtest/gtest.h>
#include <string>

namespace {

FrameTable<std::string> filledTable() {
    FrameTable<std::string> table;
    for (int index = 0; index < 24; ++index) {
        table.set(index, "frame " + std::to_string(index));
    }
    return table;
}

TEST(FrameTable, LooksUpEveryIndexFromZeroToTwentyThree) {
    const auto table = filledTable();
    EXPECT_EQ(table.lookup(0), "frame 0");
    EXPECT_EQ(table.lookup(23), "frame 23");
}

TEST(FrameTableDeathTest, AnIndexOutsideTheTableEndsTheProgram) {
    const auto table = filledTable();
    EXPECT_DEATH(table.lookup(24), "frame index 24 is outside 0..23");
    EXPECT_DEATH(table.lookup(-1), "frame index -1 is outside 0..23");
}

} // namespace
