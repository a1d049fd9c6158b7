// search and quiesce on positions whose outcome is known: the null move, repetitions
// inside the tree, mates and draws in quiescence.
#include <gtest/gtest.h>

#include "board/validate.h"
#include "eval/evaluate.h"
#include "search/nullmove.h"
#include "search/quiesce.h"
#include "search/search.h"
#include "search/search_helpers.h"
#include "search/searchstate.h"
#include "search/tt.h"
#include "support/board_helpers.h"

namespace {

constexpr int FULL = NO_SCORE;

// A search or quiescence call at ply `ply`, as its parent would make it; the position
// must be left as it was.
template <typename Call>
int atPly(int ply, Call call) {
    iterationDepth = FIRST_ITERATION_DEPTH;
    stopFlag.store(0);
    searchNodes = 0;
    for (int i = 0; i < ply; ++i) plyRecords[i].moveListEnd = moveListArray;
    plyRecords[ply].moveListEnd = nullptr;
    currentPly = plyRecords + ply;
    const PositionSnapshot before = takeSnapshot();
    const int score = call();
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords + ply);
    currentPly = plyRecords;
    return score;
}

int searchAtPlyOne(int depth) {
    return atPly(1, [&] { return search(depth, 1, -FULL, FULL, false); });
}

int quiesceAt(int ply) {
    return atPly(ply, [&] { return quiesce(0, ply, -FULL, FULL); });
}

}  // namespace

TEST(NullMove, PassesTheTurnClearsEnPassantAndIsTakenBackExactly) {
    setUpOrFail("4k3/3p4/8/4P3/8/8/8/4K3 b - -");
    playMoves({"d7d5"});  // the double step creates d6 and its key
    const PositionSnapshot before = takeSnapshot();
    makeNullMove(plyRecords[0].undo);
    EXPECT_EQ(position.sideToMove, BLACK);
    EXPECT_EQ(position.epSquare, 0);
    EXPECT_EQ(historyTop->key(), position.hashKey);
    unmakeNullMove(plyRecords[0].undo);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_TRUE(validatePosition().empty());
}

TEST(Repetition, AMoveThatRepeatsAPositionInsideTheTreeScoresZero) {
    // Black, a queen down, can only hope to repeat: Nf6-g8 brings back the start.
    setUpOrFail("4k1n1/8/8/8/8/8/8/3QK1N1 w - -");
    playMoves({"g1f3", "g8f6", "f3g1"});
    EXPECT_EQ(searchAtPlyOne(1), 0);
    // The same position without that history is simply lost.
    setUpOrFail("4k3/8/5n2/8/8/8/8/3QK1N1 b - -");
    EXPECT_LT(searchAtPlyOne(1), -500);
}

TEST(Quiesce, MatedInQuiescenceScoresByPlyAndStoresTheVerdict) {
    setUpOrFail("R5k1/5ppp/8/8/8/8/8/6K1 b - -");
    EXPECT_EQ(quiesceAt(3), 3 - MATE_SCORE);
    const HashEntry* entry = probeTable();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryMove(*entry), VERDICT_MATED);
    // Only quiet king steps answer a rook's check; standing pat is not allowed.
    setUpOrFail("4k3/8/8/8/8/8/3P1P2/r3K3 w - -");
    const int score = quiesceAt(0);
    EXPECT_GT(score, -MATE_THRESHOLD);
    ASSERT_NE(probeTable(), nullptr);
    EXPECT_EQ(entryScore(*probeTable()), score);
}

TEST(Quiesce, TakingARookThatLeavesTooLittleToMateIsADraw) {
    setUpOrFail("7k/8/8/4r3/8/5N2/8/6K1 w - -");  // a rook for a knight down
    ASSERT_LT(evaluate(), 0);
    EXPECT_EQ(quiesceAt(0), 0);
}
