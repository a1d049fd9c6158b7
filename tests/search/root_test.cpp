// iterativeDeepening and searchRoot: verdicts, the table seed, stops, reproducibility.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "base/log.h"
#include "board/validate.h"
#include "movegen/check.h"
#include "movegen/legal.h"
#include "search/control.h"
#include "search/root.h"
#include "search/search_helpers.h"
#include "search/searchstate.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/engine.h"

namespace {

constexpr const char* KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";

}  // namespace

TEST(IterativeDeepening, NoLegalMoveEndsTheFirstIterationWithTheVerdictStored) {
    const std::tuple<const char*, Move, int> cases[] = {
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", VERDICT_STALEMATE, 0},
        {"R5k1/5ppp/8/8/8/8/8/6K1 b - -", VERDICT_MATED, -MATE_SCORE},  // king moves generated, all attacked
        {"6rk/5Npp/8/8/8/8/8/6K1 b - -", VERDICT_MATED, -MATE_SCORE},   // smothered: no move generated at all
    };
    for (const auto& [fen, verdict, score] : cases) {
        setUpOrFail(fen);
        const PositionSnapshot before = takeSnapshot();
        const LogCapture log;
        EXPECT_EQ(searchToDepth(8), verdict) << fen;
        EXPECT_EQ(bestScore(), score);
        EXPECT_EQ(mainWorker().iterationDepth, 2);  // the loop ended after the first iteration
        ASSERT_TRUE(engineTable().probe(gamePosition).has_value());
        EXPECT_EQ(entryMove(*engineTable().probe(gamePosition)), verdict);
        EXPECT_EQ(entryScore(*engineTable().probe(gamePosition)), score);
        EXPECT_TRUE(takeSnapshot(mainWorker().pos) == before);  // the search left its copy as it found it
        EXPECT_EQ(mainWorker().currentPly, mainWorker().plies);
    }
}

TEST(IterativeDeepening, ARootWithMoreMovesThanAnyFixedHistoryArrayFindsTheMateInOne) {
    // 218 legal moves (Petrovic, 1964): most are quiet and ordered in the history phase.
    setUpOrFail("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -");
    const LogCapture log;
    const Move move = searchToDepth(3);
    EXPECT_EQ(bestScore(), MATE_SCORE - 1);
    EXPECT_NE(log.text().find("--- MATE: 8099\n"), std::string::npos);
    // Stockfish finds several mates in one here: this move must be one of them.
    makeMove(gamePosition, move, testUndo[0]);
    MoveEntry replies[MAX_MOVES_PER_POSITION];
    EXPECT_EQ(generateLegalMoves(gamePosition, replies), 0);
    CheckInfo check;
    computeCheckInfo(gamePosition, check);
    EXPECT_NE(check.checkers, 0u);
}

TEST(IterativeDeepening, APositionRepeatedTwiceIsADrawWithoutSearching) {
    setUpOrFail(START_FEN);
    playMoves({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});
    const LogCapture log;
    EXPECT_EQ(searchToDepth(6), VERDICT_REPETITION);
    EXPECT_EQ(bestScore(), 0);
    EXPECT_EQ(nodesOf(mainWorker()), 0u);
    EXPECT_EQ(log.text(), "");  // not even the FEN line
    // Where a move is wanted all the same (a UCI "go"), the search gives a legal one.
    engineControl().verdictForDrawnRoot.store(false);
    const Move move = searchToDepth(3);
    engineControl().verdictForDrawnRoot.store(true);
    EXPECT_TRUE(isLegalMove(gamePosition, move));
}

TEST(IterativeDeepening, TheRootsEntrySeedsDepthAndWindowUnlessItsMoveWouldRepeat) {
    setUpOrFail(START_FEN);
    engineTable().store(gamePosition, 9, BOUND_EXACT, 40, coordinateMove("e2e4"));
    const LogCapture log;
    EXPECT_EQ(searchToDepth(9), coordinateMove("e2e4"));
    // Depth 9 is the first iteration, and its score 40 lies inside 10..70: no re-search.
    EXPECT_TRUE(log.firstIterationBegins("9:\t40\t")) << log.text();
    setUpOrFail(START_FEN);
    playMoves({"g1f3", "g8f6", "f3g1", "f6g8"});
    engineTable().store(gamePosition, 9, BOUND_EXACT, 40, coordinateMove("g1f3"));  // would repeat the position after ply 1
    const LogCapture again;
    searchToDepth(3);
    EXPECT_TRUE(again.firstIterationBegins("2:")) << again.text();
}

TEST(IterativeDeepening, AStopBeforeTheStartStillFinishesDepthTwoWithALegalMove) {
    setUpOrFail(KIWIPETE);
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;
    engineControl().maxDepth.store(60);
    engineControl().stopFlag.store(1);
    const Move move = iterativeDeepening(workerOnGamePosition());
    engineControl().stopFlag.store(0);
    EXPECT_TRUE(isLegalMove(gamePosition, move));
    EXPECT_NE(log.text().find("-E: 2:"), std::string::npos) << log.text();
    EXPECT_EQ(log.text().find("-E: 3:"), std::string::npos) << log.text();
    EXPECT_TRUE(takeSnapshot(mainWorker().pos) == before);  // the search left its copy as it found it
    EXPECT_EQ(mainWorker().currentPly, mainWorker().plies);
    EXPECT_TRUE(validatePosition(gamePosition).empty());
}

TEST(IterativeDeepening, AStopFromAnotherThreadDuringADeepSearchEndsItWithALegalMove) {
    setUpOrFail(KIWIPETE);
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;
    engineControl().maxDepth.store(60);  // never reached: only the stop ends this search
    engineControl().stopFlag.store(0);
    std::atomic<bool> returned{false};
    std::thread stopper([&] {
        // Stops once depth 3 is traced (or the search has returned, which it must not).
        waitForFile(log.path(), [&](const std::string& text) { return returned || text.find("-E: 3:") != std::string::npos; });
        engineControl().stopFlag.store(1);
    });
    const Move move = iterativeDeepening(workerOnGamePosition());
    returned = true;
    logLine("-- returned");  // wakes the stopper if it still waits
    stopper.join();
    engineControl().stopFlag.store(0);
    EXPECT_TRUE(isLegalMove(gamePosition, move));
    EXPECT_GE(mainWorker().iterationDepth, 4);
    EXPECT_TRUE(takeSnapshot(mainWorker().pos) == before);  // the search left its copy as it found it
    EXPECT_EQ(mainWorker().currentPly, mainWorker().plies);
}

TEST(IterativeDeepening, ANodeLimitEndsAnUnboundedSearchSoonAfterTheLimit) {
    setUpOrFail(KIWIPETE);
    constexpr std::uint64_t LIMIT = 200000;
    engineControl().maxDepth.store(60);  // never reached: only the node limit ends this search
    engineControl().nodeLimit.store(LIMIT);
    const Move move = iterativeDeepening(workerOnGamePosition());
    engineControl().nodeLimit.store(NO_NODE_LIMIT);
    EXPECT_TRUE(isLegalMove(gamePosition, move));
    EXPECT_GE(nodesOf(mainWorker()), LIMIT);
    EXPECT_LT(nodesOf(mainWorker()), LIMIT + LIMIT / 10) << nodesOf(mainWorker());
    EXPECT_EQ(mainWorker().currentPly, mainWorker().plies);
}
