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
        EXPECT_EQ(iterationDepth, 2);  // the loop ended after the first iteration
        ASSERT_NE(probeTable(), nullptr);
        EXPECT_EQ(entryMove(*probeTable()), verdict);
        EXPECT_EQ(entryScore(*probeTable()), score);
        EXPECT_TRUE(takeSnapshot() == before);
        EXPECT_EQ(currentPly, plyRecords);
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
    makeMove(move, testUndo[0]);
    MoveEntry replies[MAX_MOVES_PER_POSITION];
    EXPECT_EQ(generateLegalMoves(replies), 0);
    CheckInfo check;
    computeCheckInfo(check);
    EXPECT_NE(check.checkers, 0u);
}

TEST(IterativeDeepening, APositionRepeatedTwiceIsADrawWithoutSearching) {
    setUpOrFail(START_FEN);
    playMoves({"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"});
    const LogCapture log;
    EXPECT_EQ(searchToDepth(6), VERDICT_REPETITION);
    EXPECT_EQ(bestScore(), 0);
    EXPECT_EQ(searchNodes, 0u);
    EXPECT_EQ(log.text(), "");  // not even the FEN line
    // Where a move is wanted all the same (a UCI "go"), the search gives a legal one.
    verdictForDrawnRoot.store(false);
    const Move move = searchToDepth(3);
    verdictForDrawnRoot.store(true);
    EXPECT_TRUE(isLegalMove(move));
}

TEST(IterativeDeepening, TheRootsEntrySeedsDepthAndWindowUnlessItsMoveWouldRepeat) {
    setUpOrFail(START_FEN);
    storeTable(9, BOUND_EXACT, 40, coordinateMove("e2e4"));
    const LogCapture log;
    EXPECT_EQ(searchToDepth(9), coordinateMove("e2e4"));
    // Depth 9 is the first iteration, and its score 40 lies inside 10..70: no re-search.
    EXPECT_TRUE(log.firstIterationBegins("9:\t40\t")) << log.text();
    setUpOrFail(START_FEN);
    playMoves({"g1f3", "g8f6", "f3g1", "f6g8"});
    storeTable(9, BOUND_EXACT, 40, coordinateMove("g1f3"));  // would repeat the position after ply 1
    const LogCapture again;
    searchToDepth(3);
    EXPECT_TRUE(again.firstIterationBegins("2:")) << again.text();
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
    EXPECT_NE(log.text().find("-E: 2:"), std::string::npos) << log.text();
    EXPECT_EQ(log.text().find("-E: 3:"), std::string::npos) << log.text();
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
    EXPECT_TRUE(validatePosition().empty());
}

TEST(IterativeDeepening, AStopFromAnotherThreadDuringADeepSearchEndsItWithALegalMove) {
    setUpOrFail(KIWIPETE);
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;
    maxDepth.store(60);  // never reached: only the stop ends this search
    stopFlag.store(0);
    std::atomic<bool> returned{false};
    std::thread stopper([&] {
        // Stops once depth 3 is traced (or the search has returned, which it must not).
        waitForFile(log.path(), [&](const std::string& text) { return returned || text.find("-E: 3:") != std::string::npos; });
        stopFlag.store(1);
    });
    const Move move = iterativeDeepening();
    returned = true;
    logLine("-- returned");  // wakes the stopper if it still waits
    stopper.join();
    stopFlag.store(0);
    EXPECT_TRUE(isLegalMove(move));
    EXPECT_GE(iterationDepth, 4);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
}

TEST(IterativeDeepening, ANodeLimitEndsAnUnboundedSearchSoonAfterTheLimit) {
    setUpOrFail(KIWIPETE);
    constexpr std::uint64_t LIMIT = 200000;
    maxDepth.store(60);  // never reached: only the node limit ends this search
    nodeLimit.store(LIMIT);
    const Move move = iterativeDeepening();
    nodeLimit.store(NO_NODE_LIMIT);
    EXPECT_TRUE(isLegalMove(move));
    EXPECT_GE(searchNodes, LIMIT);
    EXPECT_LT(searchNodes, LIMIT + LIMIT / 10) << searchNodes;
    EXPECT_EQ(currentPly, plyRecords);
}
