#include <gtest/gtest.h>

#include "search/tt.h"
#include "support/board_helpers.h"

namespace {

// Keys chosen by hand: A, B and C agree in their low 19 bits (one bucket) and differ above.
constexpr HashKey KEY_A = 0x1111111100012345ULL;
constexpr HashKey KEY_B = 0x2222222200092345ULL;  // differs from A in bit 19 of the low half
constexpr HashKey KEY_C = 0x3333333300112345ULL;
constexpr std::uint32_t BUCKET_ABC = 0x12345;  // black half

constexpr Move MOVE_1 = 0x0F2C;  // arbitrary 16-bit codes, told apart by value only
constexpr Move MOVE_2 = 0x1234;
constexpr Move MOVE_3 = 0x0ABC;

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { setUpOrFail(START_FEN); }
    void TearDown() override { setUpOrFail(START_FEN); }

    // The table looks only at the key and the side to move of the position.
    static void standOn(HashKey key, Side side = BLACK) {
        position.hashKey = key;
        position.sideToMove = side;
    }
    static void storeFor(HashKey key, int depth, Bound bound, int score, Move move) {
        standOn(key);
        storeTable(depth, bound, score, move);
    }
    static const HashEntry& slot(int i) { return transpositionTable[BUCKET_ABC][i]; }
    static bool slotHolds(int i, HashKey key, Move move) {
        return entryMatches(slot(i), key) && entryMove(slot(i)) == move;
    }
};

TEST_F(TableTest, StoredEntryPacksEveryFieldWhereTheLayoutPutsIt) {
    storeFor(KEY_A, 5, BOUND_LOWER, 123, MOVE_1);
    const HashEntry& e = slot(0);
    EXPECT_EQ(e.word0, 0x00010F2Cu);  // key bits 16..31 = 0x0001, move 0x0F2C
    EXPECT_EQ(e.word1, 0x11111111u);
    // (123 + 8190) << 18 = 0x81E40000; age 1 << 9 = 0x200; lower 1 << 7 = 0x80; depth 5.
    EXPECT_EQ(e.word2, 0x81E40285u);
    EXPECT_EQ(entryMove(e), MOVE_1);
    EXPECT_EQ(entryDepth(e), 5);
    EXPECT_EQ(entryBound(e), BOUND_LOWER);
    EXPECT_EQ(entryAge(e), 1);
    EXPECT_EQ(entryScore(e), 123);
    standOn(KEY_A);
    EXPECT_EQ(probeTable(), &slot(0));
}

TEST_F(TableTest, ScoreBiasHoldsTheWholeRangeAndClampsBeyondIt) {
    struct Case {
        int stored, readBack;
        std::uint32_t field;
    };
    const Case cases[] = {
        {-8190, -8190, 0}, {8193, 8193, 16383}, {0, 0, 8190}, {-8100 + 3, -8097, 93}, {8097, 8097, 16287},
        {9000, 8193, 16383}, {-9000, -8190, 0},  // out of range: clamped, never wrapped into another field
    };
    for (const Case& c : cases) {
        clearTranspositionTable();
        storeFor(KEY_A, 7, BOUND_UPPER, c.stored, MOVE_1);
        EXPECT_EQ(entryScore(slot(0)), c.readBack) << c.stored;
        EXPECT_EQ(slot(0).word2 >> TT_SCORE_SHIFT, c.field) << c.stored;
        EXPECT_EQ(entryDepth(slot(0)), 7) << c.stored;
        EXPECT_EQ(entryBound(slot(0)), BOUND_UPPER) << c.stored;
        EXPECT_EQ(entryAge(slot(0)), 1) << c.stored;
    }
}

TEST_F(TableTest, DepthBeyondSevenBitsIsClampedWithoutTouchingTheBound) {
    storeFor(KEY_A, 200, BOUND_EXACT, 10, MOVE_1);
    EXPECT_EQ(entryDepth(slot(0)), 127);
    EXPECT_EQ(entryBound(slot(0)), BOUND_EXACT);
    EXPECT_EQ(entryAge(slot(0)), 1);
}

TEST_F(TableTest, KeyCheckComparesBits19To31AndTheHighHalf) {
    storeFor(KEY_A, 3, BOUND_EXACT, 0, MOVE_1);
    standOn(KEY_B);  // same bucket, bit 19 differs
    EXPECT_EQ(probeTable(), nullptr);
    standOn(KEY_A ^ (HashKey{1} << 40));  // same low half, high half differs
    EXPECT_EQ(probeTable(), nullptr);
    standOn(KEY_A);
    EXPECT_NE(probeTable(), nullptr);

    // Bits 16..18 of word 0 are stored but not compared: the bucket implies them.
    transpositionTable[BUCKET_ABC][0].word0 ^= 0x00070000u;
    EXPECT_EQ(probeTable(), &slot(0));
}

TEST_F(TableTest, TheTwoSidesToMoveUseTheTwoHalves) {
    storeFor(KEY_A, 4, BOUND_EXACT, 11, MOVE_1);
    standOn(KEY_A, WHITE);
    EXPECT_EQ(probeTable(), nullptr);
    storeTable(4, BOUND_EXACT, 22, MOVE_2);
    EXPECT_TRUE(entryMatches(transpositionTable[BUCKET_ABC + (1u << 19)][0], KEY_A));
    EXPECT_EQ(probeTable(), &transpositionTable[BUCKET_ABC + (1u << 19)][0]);
    EXPECT_EQ(entryScore(*probeTable()), 22);
    standOn(KEY_A, BLACK);
    EXPECT_EQ(entryScore(*probeTable()), 11);

    // A real position: the start position and the same placement with Black to move.
    setUpOrFail(START_FEN);
    storeTable(2, BOUND_EXACT, 30, coordinateMove("e2e4"));
    const HashEntry* white = probeTable();
    setUpOrFail("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -");
    EXPECT_EQ(probeTable(), nullptr);
    storeTable(2, BOUND_EXACT, -30, coordinateMove("e7e5"));
    ASSERT_NE(probeTable(), nullptr);
    EXPECT_EQ(probeTable() + TT_BUCKET_SIZE * (1L << 19), white);  // the black half comes first
}

TEST_F(TableTest, SamePositionInSlotZeroIsReplacedOnlyByADeeperOrBetterBoundResult) {
    struct Case {
        int oldDepth;
        Bound oldBound;
        int newDepth;
        Bound newBound;
        bool replaced;
    };
    const Case cases[] = {
        // smaller depth: never, whatever the bounds
        {6, BOUND_UPPER, 5, BOUND_EXACT, false},
        {6, BOUND_LOWER, 5, BOUND_EXACT, false},
        {6, BOUND_EXACT, 5, BOUND_EXACT, false},
        // equal depth: only a more valuable bound (exact < lower < upper)
        {6, BOUND_UPPER, 6, BOUND_LOWER, true},
        {6, BOUND_UPPER, 6, BOUND_EXACT, true},
        {6, BOUND_LOWER, 6, BOUND_EXACT, true},
        {6, BOUND_UPPER, 6, BOUND_UPPER, false},
        {6, BOUND_LOWER, 6, BOUND_LOWER, false},
        {6, BOUND_EXACT, 6, BOUND_EXACT, false},
        {6, BOUND_LOWER, 6, BOUND_UPPER, false},
        {6, BOUND_EXACT, 6, BOUND_LOWER, false},
        {6, BOUND_EXACT, 6, BOUND_UPPER, false},
        // greater depth: always, even a worse bound
        {6, BOUND_EXACT, 7, BOUND_UPPER, true},
        {6, BOUND_LOWER, 7, BOUND_UPPER, true},
        {6, BOUND_UPPER, 7, BOUND_UPPER, true},
    };
    for (const Case& c : cases) {
        // A in slot 0 at the case's depth and bound, B below it in slot 1.
        clearTranspositionTable();
        storeFor(KEY_B, 2, BOUND_EXACT, 1, MOVE_3);
        storeFor(KEY_A, c.oldDepth, c.oldBound, 50, MOVE_1);
        ASSERT_TRUE(slotHolds(0, KEY_A, MOVE_1));
        ASSERT_TRUE(slotHolds(1, KEY_B, MOVE_3));

        storeFor(KEY_A, c.newDepth, c.newBound, 60, MOVE_2);
        const char* what = c.replaced ? "replaced" : "kept";
        EXPECT_EQ(slotHolds(0, KEY_A, MOVE_2), c.replaced) << c.oldDepth << "/" << c.oldBound << " -> "
                                                           << c.newDepth << "/" << c.newBound << " " << what;
        EXPECT_EQ(entryScore(slot(0)), c.replaced ? 60 : 50);
        EXPECT_EQ(entryDepth(slot(0)), c.replaced ? c.newDepth : c.oldDepth);
        // Slots 1 and 2 are not touched by a store for the position in slot 0.
        EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_3));
        EXPECT_EQ(slot(2).word2, 0u);
    }
}

TEST_F(TableTest, ADeeperOrEqualBetterResultPushesSlotZeroDownToSlotOne) {
    storeFor(KEY_A, 4, BOUND_UPPER, 10, MOVE_1);
    storeFor(KEY_B, 5, BOUND_UPPER, 20, MOVE_2);  // value 5 - 4 > 0
    EXPECT_TRUE(slotHolds(0, KEY_B, MOVE_2));
    EXPECT_TRUE(slotHolds(1, KEY_A, MOVE_1));
    EXPECT_EQ(entryScore(slot(1)), 10);

    storeFor(KEY_C, 5, BOUND_EXACT, 30, MOVE_3);  // value 0, slot 0 holds a worse bound
    EXPECT_TRUE(slotHolds(0, KEY_C, MOVE_3));
    EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_2));  // A was in slot 1 and is lost
    standOn(KEY_A);
    EXPECT_EQ(probeTable(), nullptr);
}

TEST_F(TableTest, AResultNotWorthSlotZeroGoesToSlotOneThenSlotTwo) {
    storeFor(KEY_A, 8, BOUND_EXACT, 10, MOVE_1);
    // Slot 1 is empty: an empty entry (depth 0, age 0) is worth d + 1 > 0.
    storeFor(KEY_B, 3, BOUND_UPPER, 20, MOVE_2);
    EXPECT_TRUE(slotHolds(0, KEY_A, MOVE_1));
    EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_2));

    // Equal depth and an equal bound is not enough to replace slot 1: C goes to slot 2.
    storeFor(KEY_C, 3, BOUND_UPPER, 30, MOVE_3);
    EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_2));
    EXPECT_TRUE(slotHolds(2, KEY_C, MOVE_3));

    // A fourth position worth less than both replaces whatever slot 2 held.
    constexpr HashKey KEY_D = 0x4444444400192345ULL;
    storeFor(KEY_D, 1, BOUND_LOWER, 40, MOVE_1);
    EXPECT_TRUE(slotHolds(0, KEY_A, MOVE_1));
    EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_2));
    EXPECT_TRUE(slotHolds(2, KEY_D, MOVE_1));
    standOn(KEY_C);
    EXPECT_EQ(probeTable(), nullptr);

    // Equal depth with a better bound than slot 1's takes slot 1.
    storeFor(KEY_C, 3, BOUND_LOWER, 50, MOVE_3);
    EXPECT_TRUE(slotHolds(1, KEY_C, MOVE_3));
    EXPECT_TRUE(slotHolds(2, KEY_D, MOVE_1));
}

TEST_F(TableTest, APositionKeptInSlotOneGetsASecondEntryAbove) {
    storeFor(KEY_A, 3, BOUND_EXACT, 10, MOVE_1);
    storeFor(KEY_B, 6, BOUND_EXACT, 20, MOVE_2);  // A goes to slot 1
    storeFor(KEY_A, 7, BOUND_LOWER, 30, MOVE_3);  // slot 0 is B: A's new result pushes B down
    EXPECT_TRUE(slotHolds(0, KEY_A, MOVE_3));
    EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_2));
    storeFor(KEY_C, 1, BOUND_EXACT, 0, MOVE_1);
    storeFor(KEY_B, 2, BOUND_EXACT, 20, MOVE_1);  // B in slot 1 at depth 6: a second entry lands in slot 2
    EXPECT_TRUE(slotHolds(1, KEY_B, MOVE_2));
    EXPECT_TRUE(slotHolds(2, KEY_B, MOVE_1));
    standOn(KEY_B);
    EXPECT_EQ(probeTable(), &slot(1));  // the first match wins
}

TEST_F(TableTest, BookEntriesGiveWayToSearchResultsOfTheSameDepth) {
    standOn(KEY_A);
    storeBookMove(MOVE_1);
    EXPECT_EQ(slot(0).word0, 0x00010F2Cu);
    EXPECT_EQ(slot(0).word1, 0x11111111u);
    EXPECT_EQ(slot(0).word2, 0u);  // age 0; depth, bound and score as the cleared slot held them
    EXPECT_TRUE(isBookEntry(*probeTable()));

    // A book entry is worth d + 1 - its depth: a depth-0 result of another position displaces it.
    storeFor(KEY_B, 0, BOUND_UPPER, 5, MOVE_2);
    EXPECT_TRUE(slotHolds(0, KEY_B, MOVE_2));
    EXPECT_TRUE(slotHolds(1, KEY_A, MOVE_1));
    EXPECT_TRUE(isBookEntry(slot(1)));

    // A search entry of the same depth and bound stays in slot 0; the book entry
    // in slot 1 is worth 1 to the newcomer and gives way.
    storeFor(KEY_C, 0, BOUND_UPPER, 5, MOVE_3);
    EXPECT_TRUE(slotHolds(0, KEY_B, MOVE_2));
    EXPECT_TRUE(slotHolds(1, KEY_C, MOVE_3));
    EXPECT_EQ(slot(2).word0 | slot(2).word1 | slot(2).word2, 0u);
    standOn(KEY_A);
    EXPECT_EQ(probeTable(), nullptr);

    // The book position itself in slot 0: a depth-0 result never replaces its move, depth 1 does.
    clearTranspositionTable();
    standOn(KEY_A);
    storeBookMove(MOVE_1);
    storeTable(0, BOUND_LOWER, 40, MOVE_2);
    EXPECT_TRUE(slotHolds(0, KEY_A, MOVE_1));
    EXPECT_TRUE(isBookEntry(slot(0)));
    storeTable(1, BOUND_UPPER, 40, MOVE_2);
    EXPECT_TRUE(slotHolds(0, KEY_A, MOVE_2));
    EXPECT_FALSE(isBookEntry(slot(0)));

    // Over another position's search result the book move keeps that slot's depth, bound and score.
    storeFor(KEY_B, 9, BOUND_LOWER, -77, MOVE_2);
    standOn(KEY_C);
    storeBookMove(MOVE_3);
    EXPECT_TRUE(slotHolds(0, KEY_C, MOVE_3));
    EXPECT_EQ(entryAge(slot(0)), AGE_BOOK);
    EXPECT_EQ(entryDepth(slot(0)), 9);
    EXPECT_EQ(entryBound(slot(0)), BOUND_LOWER);
    EXPECT_EQ(entryScore(slot(0)), -77);
}

TEST_F(TableTest, ClearingEmptiesBothHalves) {
    const HashKey keys[] = {KEY_A, KEY_B, KEY_C, 0xFFFFFFFFFFFFFFFFULL, 0x0000000100000000ULL};
    for (Side side : {BLACK, WHITE})
        for (HashKey key : keys) {
            standOn(key, side);
            storeTable(3, BOUND_EXACT, 1, MOVE_1);
            ASSERT_NE(probeTable(), nullptr);
        }
    clearTranspositionTable();
    for (Side side : {BLACK, WHITE})
        for (HashKey key : keys) {
            standOn(key, side);
            EXPECT_EQ(probeTable(), nullptr) << std::hex << key;
        }
    std::uint32_t anyBits = 0;
    for (const auto& bucket : transpositionTable)
        for (const HashEntry& e : bucket) anyBits |= e.word0 | e.word1 | e.word2;
    EXPECT_EQ(anyBits, 0u);
}

// ---- The probe-use rules shared by the searches -----------------------------------

class ProbeRuleTest : public TableTest {
protected:
    PlyRecord ply{};
    int alpha = -100, beta = 100, result = 12345;
    static constexpr ProbeRules INNER{true, false};

    void SetUp() override {
        TableTest::SetUp();
        ply.ttScore = 999;
        ply.ttDepth = 99;
        ply.hashMove = 0x7777;
        standOn(KEY_A);
    }
    bool probeAt(int depth, ProbeRules rules = INNER) { return probeAndApply(depth, alpha, beta, ply, rules, result); }
};

TEST_F(ProbeRuleTest, WithoutAQualifyingEntryOnlyDepthAndMoveAreSet) {
    EXPECT_FALSE(probeAt(5));  // no entry
    EXPECT_EQ(ply.ttDepth, 0);
    EXPECT_EQ(ply.hashMove, 0);

    storeTable(4, BOUND_EXACT, 30, MOVE_1);  // shallower than the node
    EXPECT_FALSE(probeAt(5));
    EXPECT_EQ(ply.ttDepth, 4);
    EXPECT_EQ(ply.hashMove, MOVE_1);
    EXPECT_EQ(ply.ttScore, 999);  // not written
    EXPECT_EQ(alpha, -100);
    EXPECT_EQ(beta, 100);
}

TEST_F(ProbeRuleTest, ExactEntriesReturnAtOnce) {
    storeTable(5, BOUND_EXACT, 30, MOVE_1);
    EXPECT_TRUE(probeAt(5));
    EXPECT_EQ(result, 30);
    EXPECT_EQ(ply.ttScore, 30);
    EXPECT_EQ(ply.ttDepth, 5);
    // Quiescence passes depth <= 0: any matching entry qualifies.
    clearTranspositionTable();
    storeTable(0, BOUND_EXACT, -8097, VERDICT_MATED);
    EXPECT_TRUE(probeAt(-3));
    EXPECT_EQ(result, -8097);
}

TEST_F(ProbeRuleTest, LowerBoundsCutAtBetaAndOtherwiseRaiseAlpha) {
    storeTable(6, BOUND_LOWER, 100, MOVE_1);  // score == beta
    EXPECT_TRUE(probeAt(6));
    EXPECT_EQ(result, 100);

    clearTranspositionTable();
    storeTable(6, BOUND_LOWER, 40, MOVE_1);
    EXPECT_FALSE(probeAt(6));
    EXPECT_EQ(alpha, 40);
    EXPECT_EQ(beta, 100);
    EXPECT_EQ(ply.hashMove, MOVE_1);
    EXPECT_EQ(ply.ttScore, 40);

    alpha = -100;
    EXPECT_FALSE(probeAt(6, {false, false}));  // aspiration re-search at full depth
    EXPECT_EQ(alpha, -100);

    alpha = 50;  // a lower bound below alpha tells nothing
    EXPECT_FALSE(probeAt(6));
    EXPECT_EQ(alpha, 50);
}

TEST_F(ProbeRuleTest, UpperBoundsCutAtAlphaAndOtherwiseLowerBeta) {
    storeTable(6, BOUND_UPPER, -100, MOVE_1);  // score == alpha
    EXPECT_TRUE(probeAt(3));
    EXPECT_EQ(result, -100);

    clearTranspositionTable();
    storeTable(6, BOUND_UPPER, 40, MOVE_1);
    EXPECT_FALSE(probeAt(6));
    EXPECT_EQ(beta, 40);
    EXPECT_EQ(alpha, -100);
    EXPECT_EQ(ply.hashMove, MOVE_1);

    beta = 100;
    EXPECT_FALSE(probeAt(6, {false, false}));
    EXPECT_EQ(beta, 100);

    beta = 30;  // an upper bound above beta tells nothing
    EXPECT_FALSE(probeAt(6));
    EXPECT_EQ(beta, 30);
}

TEST_F(ProbeRuleTest, TheRootReturnsOnlyScoresBelowTheMateRange) {
    constexpr ProbeRules ROOT{true, true};
    storeTable(9, BOUND_EXACT, 8049, MOVE_1);
    EXPECT_TRUE(probeAt(9, ROOT));
    EXPECT_EQ(result, 8049);

    clearTranspositionTable();
    storeTable(9, BOUND_EXACT, 8050, MOVE_1);
    EXPECT_FALSE(probeAt(9, ROOT));
    EXPECT_EQ(ply.hashMove, MOVE_1);
    EXPECT_EQ(ply.ttScore, 8050);
    EXPECT_TRUE(probeAt(9, INNER));  // an inner node returns it

    clearTranspositionTable();
    storeTable(9, BOUND_LOWER, 8095, MOVE_2);
    EXPECT_FALSE(probeAt(9, ROOT));  // >= beta but a mate score: searched normally
    EXPECT_EQ(alpha, -100);
    EXPECT_EQ(beta, 100);
    EXPECT_EQ(ply.hashMove, MOVE_2);

    // Below the mate range the root does cut on a bound.
    clearTranspositionTable();
    storeTable(9, BOUND_UPPER, -8095, MOVE_2);
    EXPECT_TRUE(probeAt(9, ROOT));
    EXPECT_EQ(result, -8095);
}

TEST_F(ProbeRuleTest, BookEntriesGiveTheirMoveButNeverAScore) {
    storeBookMove(MOVE_3);  // cleared slot: depth 0, "exact", score field -8190
    EXPECT_FALSE(probeAt(0));
    EXPECT_FALSE(probeAt(-5));
    EXPECT_EQ(ply.hashMove, MOVE_3);
    EXPECT_EQ(ply.ttDepth, 0);
    EXPECT_EQ(ply.ttScore, 999);
    EXPECT_EQ(alpha, -100);
    EXPECT_EQ(beta, 100);
}

TEST(WindowNarrowing, OnlyAnAspirationReSearchAtFullDepthForbidsIt) {
    EXPECT_TRUE(windowMayBeNarrowed(0, 6, 6));
    EXPECT_FALSE(windowMayBeNarrowed(1, 6, 6));
    EXPECT_FALSE(windowMayBeNarrowed(-1, 6, 6));
    EXPECT_TRUE(windowMayBeNarrowed(1, 5, 6));
    EXPECT_TRUE(windowMayBeNarrowed(-1, 0, 6));
}

}  // namespace
