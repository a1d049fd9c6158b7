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
#include "search/searchthread.h"
#include "support/board_helpers.h"

namespace {

constexpr int FULL = NO_SCORE;

// A search or quiescence call at ply `ply`, as its parent would make it; the position
// must be left as it was.
template <typename Call>
int atPly(int ply, Call call) {
    SearchWorker& w = workerOnGamePosition();
    w.iterationDepth = FIRST_ITERATION_DEPTH;
    w.control.stopFlag.store(0);
    w.nodeBudget = NO_NODE_LIMIT;
    for (int i = 0; i < ply; ++i) w.plies[i].moveListEnd = w.moveList;
    w.plies[ply].moveListEnd = nullptr;
    w.currentPly = w.plies + ply;
    const PositionSnapshot before = takeSnapshot(w.pos);
    const int score = call(w);
    EXPECT_TRUE(takeSnapshot(w.pos) == before);
    EXPECT_EQ(w.currentPly, w.plies + ply);
    w.currentPly = w.plies;
    return score;
}

int searchAtPlyOne(int depth) {
    return atPly(1, [&](SearchWorker& w) { return search(w, depth, 1, -FULL, FULL, false); });
}

int quiesceAt(int ply) {
    return atPly(ply, [&](SearchWorker& w) { return quiesce(w, 0, ply, -FULL, FULL); });
}

}  // namespace

TEST(NullMove, PassesTheTurnClearsEnPassantAndIsTakenBackExactly) {
    setUpOrFail("4k3/3p4/8/4P3/8/8/8/4K3 b - -");
    playMoves({"d7d5"});  // the double step creates d6 and its key
    const PositionSnapshot before = takeSnapshot();
    makeNullMove(gamePosition, mainWorker().plies[0].undo);
    EXPECT_EQ(gamePosition.sideToMove, BLACK);
    EXPECT_EQ(gamePosition.epSquare, 0);
    EXPECT_EQ(gamePosition.historyTop->key(), gamePosition.hashKey);
    unmakeNullMove(gamePosition, mainWorker().plies[0].undo);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_TRUE(validatePosition(gamePosition).empty());
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
    const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entryMove(*entry), VERDICT_MATED);
    // Only quiet king steps answer a rook's check; standing pat is not allowed.
    setUpOrFail("4k3/8/8/8/8/8/3P1P2/r3K3 w - -");
    const int score = quiesceAt(0);
    EXPECT_GT(score, -MATE_THRESHOLD);
    ASSERT_TRUE(engineTable().probe(gamePosition).has_value());
    EXPECT_EQ(entryScore(*engineTable().probe(gamePosition)), score);
}

TEST(Quiesce, TakingARookThatLeavesTooLittleToMateIsADraw) {
    setUpOrFail("7k/8/8/4r3/8/5N2/8/6K1 w - -");  // a rook for a knight down
    ASSERT_LT(evaluate(gamePosition, mainWorker().pawnCache), 0);
    EXPECT_EQ(quiesceAt(0), 0);
}

TEST(Stop, AStoppedSearchEntersNoFurtherNodeHoweverDeep) {
    // The king and pawn ending where a stop in a deep iteration once kept the engine
    // from answering: without table help every node it had entered still ran its
    // internal deepening and first child below it, a tree that grows with the depth.
    setUpOrFail("8/8/8/6k1/7p/7K/8/8 w - -");
    clearSearchTables();
    constexpr int DEEP = 32;
    const auto stoppedSearch = [](int iterationDepth) {
        return atPly(1, [&](SearchWorker& w) {
            w.iterationDepth = iterationDepth;
            w.control.stopFlag.store(1);
            w.nodes.store(0);
            search(w, DEEP, 1, -FULL, FULL, true);
            w.control.stopFlag.store(0);
            return static_cast<int>(nodesOf(w));
        });
    };
    EXPECT_EQ(stoppedSearch(DEEP), 0);
    // The first iteration is never cut short: there the stop is not yet heard.
    EXPECT_GT(stoppedSearch(FIRST_ITERATION_DEPTH), 0);
}

