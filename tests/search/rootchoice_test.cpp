// The move the search plays and the lines it shows: the last finished iteration's
// choice, or a move the unfinished one proved at least as good; never a stale root
// entry nor the best bound of a pass that failed low.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/makemove.h"
#include "movegen/legal.h"
#include "search/control.h"
#include "search/report.h"
#include "search/root.h"
#include "search/search_helpers.h"
#include "search/searchstate.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

struct Shown {
    ReportKind kind;
    int depth;
    int score;
    std::string pv;
};

// The lines the search shows, kept by the report hook; a stop can be raised from
// the hook at a chosen kind of line, which makes a stop at that point exact.
std::vector<Shown> shown;
ReportKind stopAtKind = ReportKind::ITERATION;
int stopAtDepth = 0;  // 0: never

void keepLine(const SearchReport& report) {
    shown.push_back({report.kind, report.depth, report.score, report.pv});
    if (stopAtDepth && report.kind == stopAtKind && report.depth >= stopAtDepth) engineControl().stopFlag.store(1);
}

class PlayedMove : public ::testing::Test {
protected:
    void SetUp() override {
        shown.clear();
        stopAtDepth = 0;
        searchReportHook.store(keepLine);
    }
    void TearDown() override {
        searchReportHook.store(nullptr);
        engineControl().stopFlag.store(0);
        engineControl().nodeLimit.store(NO_NODE_LIMIT);
    }
    // An unbounded search that only a stop (from the hook) or the node limit ends.
    static Move searchUntilStopped(std::uint64_t nodes = NO_NODE_LIMIT) {
        engineControl().maxDepth.store(60);
        engineControl().stopFlag.store(0);
        engineControl().nodeLimit.store(nodes);
        const Move move = iterativeDeepening(workerOnGamePosition());
        engineControl().nodeLimit.store(NO_NODE_LIMIT);
        engineControl().stopFlag.store(0);
        return move;
    }
};

std::string firstMoveOf(const std::string& pv) { return pv.substr(0, pv.find(' ')); }

std::string text(Move move) {
    char buffer[MOVE_TEXT_SIZE];
    moveToText(buffer, move);
    return buffer;
}

// The first moves of the "-E:" trace lines.
std::vector<std::string> tracedFirstMoves(const std::string& log) {
    std::vector<std::string> moves;
    for (std::size_t at = log.find("-E: "); at != std::string::npos; at = log.find("-E: ", at + 1)) {
        const std::size_t tab = log.find('\t', log.find('\t', at) + 1);
        if (tab != std::string::npos && log.compare(at, 18, "-E: DIFFERENT MOVE") != 0)
            moves.push_back(log.substr(tab + 1, log.find(' ', tab) - tab - 1));
    }
    return moves;
}

}  // namespace

TEST_F(PlayedMove, AnOlderDeeperRootEntryNeitherChoosesTheMoveNorNamesTheLines) {
    // Left by an earlier search of the position (after 12.Qd2-e3 Qd8-c7 had been
    // taken back and played again): deeper than this search's iterations, so their
    // results cannot replace it. Every iteration chooses e3e5 (an independent engine
    // rates it -0.88 against -2.54 for e3f2).
    setUpOrFail("r3kb1r/2q2ppp/p1b1pn2/1p2p1B1/5P2/2N1Q3/PPP3PP/2KR1B1R w kq - 2 13");
    engineTable().store(gamePosition, 6, BOUND_UPPER, 58, coordinateMove("e3f2"));
    const LogCapture log;
    EXPECT_EQ(text(searchToDepth(5)), "e3e5");
    EXPECT_NE(bestScore(), 58);
    const std::vector<std::string> traced = tracedFirstMoves(log.text());
    ASSERT_EQ(traced.size(), 4u) << log.text();
    for (std::size_t i = 1; i < traced.size(); ++i) EXPECT_EQ(traced[i], "e3e5") << log.text();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(firstMoveOf(shown.back().pv), "e3e5");
    for (const Shown& line : shown) {
        if (line.kind == ReportKind::ITERATION) {
            EXPECT_EQ(firstMoveOf(line.pv), traced[line.depth - FIRST_ITERATION_DEPTH]) << line.pv;
        }
    }
}

TEST_F(PlayedMove, AStopWhileAFailedLowRootIsSearchedAgainPlaysTheLastFinishedChoice) {
    // Depth 6 chooses g2f3 (-345); depth 7 fails low. Stopped as the re-search begins,
    // the engine once played whichever move held the best bound of the failed pass.
    setUpOrFail("r4rk1/pQ2ppbp/2p3p1/4q3/8/4Pb2/PPP3PP/RN3RK1 w - - 1 15");
    stopAtKind = ReportKind::FAIL_LOW;
    stopAtDepth = 7;
    const Move move = searchUntilStopped();
    ASSERT_GE(shown.size(), 2u);
    const Shown& failLow = shown.back();
    const Shown& lastFinished = shown[shown.size() - 2];
    ASSERT_EQ(failLow.kind, ReportKind::FAIL_LOW);
    ASSERT_EQ(lastFinished.kind, ReportKind::ITERATION);
    EXPECT_EQ(lastFinished.depth, 6);
    EXPECT_EQ(text(move), "g2f3");
    EXPECT_EQ(bestScore(), lastFinished.score);
    // The fail-low line names the same move, with its bound below the last score.
    EXPECT_EQ(firstMoveOf(failLow.pv), "g2f3");
    EXPECT_LT(failLow.score, lastFinished.score - ASPIRATION_MARGIN + 1);
    // The failed pass left another move as the root's entry: it is not played.
    ASSERT_TRUE(engineTable().probe(gamePosition).has_value());
    EXPECT_NE(entryMove(*engineTable().probe(gamePosition)), move);
}

TEST_F(PlayedMove, TheLastLineShownNamesTheMovePlayedWhereverTheSearchIsStopped) {
    // Real middlegame and endgame positions, stopped by node limits at every stage
    // of an iteration: the last line shown is the move played, with its score.
    const std::vector<std::string> fens = readDataLines("real_positions.fen");
    const std::uint64_t limits[] = {3000, 17000, 61000, 150000};
    const std::size_t step = SANITIZED_BUILD ? 61 : 13;
    int searches = 0, changedInUnfinished = 0;
    for (std::size_t i = 40; i < fens.size(); i += step) {
        for (const std::uint64_t limit : limits) {
            setUpOrFail(fens[i].c_str());
            shown.clear();
            const Move move = searchUntilStopped(limit);
            if (shown.empty() || !isLegalMove(gamePosition, move)) continue;
            ++searches;
            const Shown& last = shown.back();
            EXPECT_EQ(firstMoveOf(last.pv), text(move)) << fens[i] << " nodes " << limit;
            if (last.kind == ReportKind::FAIL_LOW) {
                // The last finished choice and its score, shown with the bound it failed low to.
                const Shown& finished = *std::find_if(shown.rbegin(), shown.rend(), [](const Shown& line) {
                    return line.kind != ReportKind::FAIL_LOW;
                });
                EXPECT_EQ(firstMoveOf(finished.pv), text(move)) << fens[i] << " nodes " << limit;
                EXPECT_EQ(finished.score, bestScore()) << fens[i] << " nodes " << limit;
                EXPECT_LT(last.score, bestScore()) << fens[i] << " nodes " << limit;
            } else {
                EXPECT_EQ(last.score, bestScore()) << fens[i] << " nodes " << limit;
            }
            if (last.kind != ReportKind::ITERATION) ++changedInUnfinished;
        }
    }
    EXPECT_GE(searches, SANITIZED_BUILD ? 30 : 150);
    // Some searches must end on a line of an unfinished iteration, or nothing was tested.
    EXPECT_GT(changedInUnfinished, 0);
}
