// iterativeDeepening and searchRoot: verdicts, the table seed, stops, reproducibility.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "board/validate.h"
#include "movegen/check.h"
#include "movegen/legal.h"
#include "search/control.h"
#include "search/root.h"
#include "search/search_helpers.h"
#include "search/searchstate.h"
#include "search/tt.h"
#include "support/board_helpers.h"

namespace {

constexpr const char* KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";

struct RootVerdict {
    const char* name;
    const char* fen;
    Move verdict;
    int score;
};

class RootVerdicts : public testing::TestWithParam<RootVerdict> {};

TEST_P(RootVerdicts, EndTheSearchInTheFirstIterationWithTheVerdictStored) {
    const RootVerdict& c = GetParam();
    setUpOrFail(c.fen);
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;
    EXPECT_EQ(searchToDepth(8), c.verdict);
    EXPECT_EQ(bestMove(), c.verdict);
    EXPECT_EQ(bestScore(), c.score);
    EXPECT_EQ(iterationDepth, 2);  // the loop ended after the first iteration
    const HashEntry* entry = probeTable();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entryMove(*entry), c.verdict);
    EXPECT_EQ(entryBound(*entry), BOUND_EXACT);
    EXPECT_EQ(entryScore(*entry), c.score);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, RootVerdicts,
    testing::Values(
        // Black king h8 boxed in by the queen on f7 and the king on g6.
        RootVerdict{"Stalemate", "7k/5Q2/6K1/8/8/8/8/8 b - -", VERDICT_STALEMATE, 0},
        // Back-rank mate: king moves are generated but all attacked.
        RootVerdict{"BackRankMate", "R5k1/5ppp/8/8/8/8/8/6K1 b - -", VERDICT_MATED, -MATE_SCORE},
        // Smothered mate: the evasion generator finds nothing at all; still mate, not an error code.
        RootVerdict{"SmotheredMate", "6rk/5Npp/8/8/8/8/8/6K1 b - -", VERDICT_MATED, -MATE_SCORE}),
    [](const testing::TestParamInfo<RootVerdict>& param) { return std::string(param.param.name); });

TEST(IterativeDeepening, ARootWithMoreMovesThanAnyFixedHistoryArrayFindsTheMateInOne) {
    // 218 legal moves (Petrovic, 1964): most are quiet and ordered in the history phase.
    setUpOrFail("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -");
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;
    const Move move = searchToDepth(3);
    EXPECT_EQ(bestScore(), MATE_SCORE - 1);
    EXPECT_NE(log.text().find("--- MATE: 8099\n"), std::string::npos);
    // Stockfish finds several mates in one here: check that this move is one.
    saveUndoInfo(testUndo[0]);
    makeMove(move, testUndo[0]);
    MoveEntry replies[MAX_MOVES_PER_POSITION];
    EXPECT_EQ(generateLegalMoves(replies), 0);
    CheckInfo check;
    computeCheckInfo(check);
    EXPECT_NE(check.checkers, 0u);
    unmakeMove(move, testUndo[0]);
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(IterativeDeepening, APositionRepeatedTwiceIsADrawWithoutSearching) {
    setUpOrFail(START_FEN);
    playGameMoves({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});
    const LogCapture log;
    EXPECT_EQ(searchToDepth(6), VERDICT_REPETITION);
    EXPECT_EQ(bestMove(), VERDICT_REPETITION);
    EXPECT_EQ(bestScore(), 0);
    EXPECT_EQ(searchNodes, 0u);
    EXPECT_EQ(log.text(), "");  // not even the FEN line
}

TEST(IterativeDeepening, ADeepExactEntrySeedsTheDepthAndWindow) {
    setUpOrFail(START_FEN);
    const Move e2e4 = coordinateMove("e2e4");
    storeTable(9, BOUND_EXACT, 40, e2e4);
    const LogCapture log;
    EXPECT_EQ(searchToDepth(9), e2e4);
    // Depth 9 is the first iteration, and its score 40 lies inside 10..70: no re-search.
    EXPECT_EQ(log.firstIterationLine().rfind("-E: 9:\t40\t", 0), 0u) << log.text();
    EXPECT_EQ(bestScore(), 40);
}

TEST(IterativeDeepening, AStoredRootMoveThatWouldRepeatRestartsFromDepthTwo) {
    setUpOrFail(START_FEN);
    playGameMoves({"g1f3", "g8f6", "f3g1", "f6g8"});
    storeTable(9, BOUND_EXACT, 40, coordinateMove("g1f3"));  // would repeat the position after ply 1
    const LogCapture log;
    searchToDepth(3);
    EXPECT_EQ(log.firstIterationLine().rfind("-E: 2:", 0), 0u) << log.text();
}

TEST(IterativeDeepening, TheSameSearchAfterSetUpGivesTheSameNodesAndMove) {
    setUpOrFail(KIWIPETE);
    const Move first = searchToDepth(5);
    const std::uint64_t firstNodes = searchNodes;
    setUpOrFail(KIWIPETE);
    EXPECT_EQ(searchToDepth(5), first);
    EXPECT_EQ(searchNodes, firstNodes);
    EXPECT_GT(firstNodes, 1000u);
}

TEST(IterativeDeepening, AStopBeforeTheStartStillFinishesDepthTwoWithALegalMove) {
    setUpOrFail(KIWIPETE);
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;
    maxDepth.store(60);
    stopFlag.store(1);
    const Move move = iterativeDeepening();
    stopFlag.store(0);
    EXPECT_TRUE(isLegalMove(move));
    const std::string text = log.text();
    EXPECT_NE(text.find("-E: 2:"), std::string::npos) << text;
    EXPECT_EQ(text.find("-E: 3:"), std::string::npos) << text;
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
    EXPECT_TRUE(validatePosition().empty());
}

TEST(IterativeDeepening, AStopDuringADeepIterationReturnsPromptlyWithALegalMove) {
    setUpOrFail(KIWIPETE);
    const PositionSnapshot before = takeSnapshot();
    maxDepth.store(60);
    stopFlag.store(0);
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(SANITIZED_BUILD ? 400 : 100));
        stopFlag.store(1);
    });
    const auto started = std::chrono::steady_clock::now();
    const Move move = iterativeDeepening();
    const auto elapsed = std::chrono::steady_clock::now() - started;
    stopper.join();
    stopFlag.store(0);
    EXPECT_TRUE(isLegalMove(move));
    EXPECT_GT(iterationDepth, 2);
    EXPECT_LT(elapsed, std::chrono::seconds(30));  // a depth of 60 would never end
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
}

TEST(IterativeDeepening, ANodeLimitEndsAnUnboundedSearchSoonAfterTheLimit) {
    setUpOrFail(KIWIPETE);
    constexpr std::uint64_t LIMIT = 200000;
    maxDepth.store(60);
    nodeLimit.store(LIMIT);
    const Move move = iterativeDeepening();
    nodeLimit.store(NO_NODE_LIMIT);
    EXPECT_TRUE(isLegalMove(move));
    EXPECT_GT(iterationDepth, 3);  // a depth of 60 would never end
    EXPECT_GE(searchNodes, LIMIT);
    EXPECT_LT(searchNodes, LIMIT + LIMIT / 10) << searchNodes;
    EXPECT_EQ(currentPly, plyRecords);
}

TEST(IterativeDeepening, ADrawnRootGetsItsVerdictOrWhenAMoveIsWantedALegalMove) {
    for (const bool verdictWanted : {true, false}) {
        setUpOrFail(START_FEN);
        playGameMoves({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});  // a third time
        verdictForDrawnRoot.store(verdictWanted);
        const Move move = searchToDepth(3);
        verdictForDrawnRoot.store(true);
        if (verdictWanted)
            EXPECT_EQ(move, VERDICT_REPETITION);
        else
            EXPECT_TRUE(isLegalMove(move));
    }
}

}  // namespace
