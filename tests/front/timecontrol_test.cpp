// Move budgets from level and time, worked out by hand from the clock rules.
#include <gtest/gtest.h>

#include <cstdint>

#include "front/timecontrol.h"
#include "front_support.h"

class TimeControl : public ::testing::Test {
protected:
    void SetUp() override { resetFrontState(); }
};

TEST_F(TimeControl, FortyMovesInFiveMinutes) {
    setLevel(40, 0);
    setEngineClock(30000);  // one second held back: 29900 / 40 = 747 centiseconds
    EXPECT_EQ(moveTimeMs, 7470u);
}

TEST_F(TimeControl, ZeroMovesMeansFortyAndTheIncrementIsAdded) {
    setLevel(0, 12);
    EXPECT_EQ(movesPerControl, 40u);
    EXPECT_EQ(incrementMs, 12000u);
    setEngineClock(12000);  // 11900 / 40 = 297
    EXPECT_EQ(moveTimeMs, 12000u + 2970u);
}

TEST_F(TimeControl, NoSecondHeldBackBelowTwoSeconds) {
    setEngineClock(150);  // 150 / 40 = 3
    EXPECT_EQ(moveTimeMs, 30u);
    setEngineClock(199);  // 199 / 40 = 4
    EXPECT_EQ(moveTimeMs, 40u);
    setEngineClock(200);  // 100 / 40 = 2
    EXPECT_EQ(moveTimeMs, 20u);
}

TEST_F(TimeControl, LevelAloneKeepsTheBudget) {
    setEngineClock(30000);
    setLevel(20, 0);
    EXPECT_EQ(moveTimeMs, 7470u);
    setEngineClock(30000);  // 29900 / 20 = 1495
    EXPECT_EQ(moveTimeMs, 14950u);
}

TEST_F(TimeControl, TestCommandBudget) {
    setTestBudget();  // 4123456689 / 40 = 103086417 centiseconds
    EXPECT_EQ(moveTimeMs, 1030864170u);
}

TEST_F(TimeControl, FirstMoveOutOfTheBook) {
    setEngineClock(30000);
    extendOutOfBookBudget();  // 3 x 7470, below the cap of 40 x 7470 / 10 = 29880
    EXPECT_EQ(moveTimeMs, 22410u);
    setLevel(20, 0);
    setEngineClock(30000);
    extendOutOfBookBudget();  // cap 20 x 14950 / 10 = 2 x 14950
    EXPECT_EQ(moveTimeMs, 29900u);
}

TEST_F(TimeControl, HugeOrNegativeValuesNeitherWrapNorUnderflow) {
    setLevel(-5, -3);
    EXPECT_EQ(movesPerControl, 40u);
    EXPECT_EQ(incrementMs, 0u);
    setEngineClock(-100);
    EXPECT_EQ(moveTimeMs, 0u);
    setLevel(1, 5'000'000);  // 5e9 ms does not fit in 32 bits
    EXPECT_EQ(incrementMs, UINT32_MAX);
    setEngineClock(30000);
    EXPECT_EQ(moveTimeMs, 150'000u);  // saturated, then held to half the 300 s clock
    setLevel(1, 0);
    setTestBudget();  // 41234566890 ms saturates instead of wrapping to a shorter budget
    EXPECT_EQ(moveTimeMs, UINT32_MAX);
}

// The increment arrives only after the move: with 1.5 s left and 12 s increment the
// plain budget (12.37 s) would lose on time. No move may take more than half the clock.
TEST_F(TimeControl, ABudgetNeverCountsOnTimeTheClockDoesNotHold) {
    setLevel(0, 12);
    setEngineClock(150);
    EXPECT_EQ(moveTimeMs, 750u);
    setEngineClock(12000);  // 120 s: the rule's 14970 ms stays well inside
    EXPECT_EQ(moveTimeMs, 12000u + 297u * 10u);
}

TEST_F(TimeControl, ExtraTimeAfterAFailLow) {
    setEngineClock(30000);  // 7470 ms, clock 300 s
    EXPECT_EQ(extraTimeAfterFailLow(), 2u * 7470u);
    setLevel(40, 0);
    setEngineClock(20000);  // 4970 ms: too short a budget for extra time
    EXPECT_EQ(extraTimeAfterFailLow(), 0u);
    // 6 s budget and more, but the clock holds only 3 budgets: the extra stops at half of it.
    setLevel(1, 0);
    setEngineClock(2000);  // budget 19000 ms capped to 10000 ms (half of 20 s); no room left
    EXPECT_EQ(moveTimeMs, 10000u);
    EXPECT_EQ(extraTimeAfterFailLow(), 0u);
    setLevel(4, 0);
    setEngineClock(5000);  // 12250 ms budget, limit 25000 ms: 12750 ms more at most
    EXPECT_EQ(moveTimeMs, 12250u);
    EXPECT_EQ(extraTimeAfterFailLow(), 12750u);
}

TEST_F(TimeControl, OutOfBookBonusStaysWithinTheClock) {
    setLevel(40, 0);
    setEngineClock(3000);  // 29 s held: budget 720 ms, limit 15000 ms
    extendOutOfBookBudget();
    EXPECT_EQ(moveTimeMs, 3u * 720u);
    setLevel(40, 1);
    setEngineClock(300);  // budget 1000 + 50 ms, limit 1500 ms
    EXPECT_EQ(moveTimeMs, 1050u);
    extendOutOfBookBudget();  // 3150 ms by the rule
    EXPECT_EQ(moveTimeMs, 1500u);
}

// A UCI go: the side's clock by the same rules (movestogo in place of the level's
// moves), a movetime less its margin; worked out by hand.
struct GoCase {
    const char* name;
    GoClock go;
    bool timed;
    std::uint32_t budget, limit;
};

TEST_F(TimeControl, UciGoBudgets) {
    const GoCase cases[] = {
        {"clock alone: forty moves", {300000, 0, 0, {}}, true, 7470, 150000},       // 29900 / 40 cs
        {"movestogo", {300000, 0, 20, {}}, true, 14950, 150000},                     // 29900 / 20 cs
        {"increment", {10000, 100, 0, {}}, true, 320, 5000},                         // 900 / 40 cs + 100
        {"zero clock", {0, 100, 0, {}}, true, 0, 0},
        {"negative clock", {-500, 0, 0, {}}, true, 0, 0},
        {"huge clock", {1'000'000'000'000L, 0, 0, {}}, true, 1073741790, UINT32_MAX},  // saturated, no wrap
        {"movetime", {{}, 0, 0, 1000}, true, 970, 970},
        {"tiny movetime", {{}, 0, 0, 5}, true, 10, 10},
        {"movetime within half the clock", {1000, 0, 0, 5000}, true, 500, 500},
        {"depth or nodes alone", {{}, 0, 0, {}}, false, UINT32_MAX, UINT32_MAX},
    };
    for (const GoCase& c : cases) {
        resetFrontState();
        EXPECT_EQ(setGoBudget(c.go), c.timed) << c.name;
        EXPECT_EQ(moveTimeMs, c.budget) << c.name;
        EXPECT_EQ(moveLimitMs, c.limit) << c.name;
    }
    // A movetime gets neither the out-of-book bonus nor extra time after a fail low.
    setGoBudget({{}, 0, 0, 10000});
    extendOutOfBookBudget();
    EXPECT_EQ(moveTimeMs, 9970u);
    EXPECT_EQ(extraTimeAfterFailLow(), 0u);
}
