// quiesce: standing pat, mate in quiescence, the depth limit and the material draw.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/makemove.h"
#include "eval/evaluate.h"
#include "search/quiesce.h"
#include "search/searchstate.h"
#include "search/tt.h"
#include "support/board_helpers.h"

namespace {

constexpr int FULL = NO_SCORE;

// A quiescence call at the root record, as a test sees it.
int quiesceAtRoot(int depth, int alpha, int beta) {
    iterationDepth = FIRST_ITERATION_DEPTH;
    searchNodes = 0;
    const PositionSnapshot before = takeSnapshot();
    const int score = quiesce(depth, 0, alpha, beta);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
    return score;
}

// Negated static value of the position after move, from the mover's side.
int staticValueAfter(const char* word) {
    const Move move = coordinateMove(word);
    saveUndoInfo(testUndo[0]);
    makeMove(move, testUndo[0]);
    const int value = -evaluate();
    unmakeMove(move, testUndo[0]);
    return value;
}

TEST(Quiesce, AQuietPositionIsItsStaticEvaluation) {
    setUpOrFail("4k3/pppp4/8/8/8/8/4PPPP/4K3 w - -");  // no capture anywhere
    EXPECT_EQ(quiesceAtRoot(0, -FULL, FULL), evaluate());
}

TEST(Quiesce, StandingPatAtOrAboveBetaReturnsBeforeGenerating) {
    setUpOrFail("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -");  // captures everywhere
    MoveEntry* const untouched = moveListArray + 7;
    plyRecords[0].moveListEnd = untouched;
    const int standPat = evaluate();
    EXPECT_EQ(quiesceAtRoot(0, standPat - 10, standPat), standPat);
    EXPECT_EQ(plyRecords[0].moveListEnd, untouched);  // no list was generated
    EXPECT_EQ(searchNodes, 1u);
}

TEST(Quiesce, MatedInQuiescenceScoresByPlyAndStoresTheVerdict) {
    setUpOrFail("R5k1/5ppp/8/8/8/8/8/6K1 b - -");
    constexpr int ply = 3;
    plyRecords[ply - 1].moveListEnd = moveListArray;
    currentPly = plyRecords + ply;
    iterationDepth = FIRST_ITERATION_DEPTH;
    const int score = quiesce(0, ply, -FULL, FULL);
    currentPly = plyRecords;
    EXPECT_EQ(score, ply - MATE_SCORE);
    const HashEntry* entry = probeTable();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryMove(*entry), VERDICT_MATED);
    EXPECT_EQ(entryDepth(*entry), 0);
    EXPECT_EQ(entryBound(*entry), BOUND_EXACT);
}

TEST(Quiesce, InCheckEveryEvasionIsSearchedAndTheResultStoredAtDepthOne) {
    // Only quiet king steps answer the rook's check; standing pat is not allowed.
    setUpOrFail("4k3/8/8/8/8/8/3P1P2/r3K3 w - -");
    const int score = quiesceAtRoot(0, -FULL, FULL);
    EXPECT_GT(score, -MATE_THRESHOLD);
    const HashEntry* entry = probeTable();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryDepth(*entry), 1);
    EXPECT_EQ(entryScore(*entry), score);
}

TEST(Quiesce, AtTheDepthLimitCapturesAreScoredStaticallyNotAnswered) {
    // Rxd8+ looks a rook up to a static look; one ply more sees Kxd8 and bare kings.
    constexpr const char* ROOK_TRADE = "3rk3/8/8/8/8/8/8/3RK3 w - -";
    setUpOrFail(ROOK_TRADE);
    const int greedy = staticValueAfter("d1d8");
    ASSERT_GT(greedy, 300);
    EXPECT_EQ(quiesceAtRoot(QS_DEPTH_LIMIT, -FULL, FULL), greedy);
    setUpOrFail(ROOK_TRADE);
    EXPECT_EQ(quiesceAtRoot(0, -FULL, FULL), std::max(0, static_cast<int>(evaluate())));
}

TEST(Quiesce, KingAndMinorAgainstKingAfterACaptureIsADraw) {
    // White is a rook for a knight down; taking the rook leaves too little to mate.
    setUpOrFail("7k/8/8/4r3/8/5N2/8/6K1 w - -");
    ASSERT_LT(evaluate(), 0);
    EXPECT_EQ(quiesceAtRoot(0, -FULL, FULL), 0);
}

}  // namespace
