// Whole evaluations: values worked out by hand, the side-to-move sign on real
// positions, and the zorvak-bench eval command.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "eval/evalconst.h"
#include "eval/evaluate.h"
#include "board/pst.h"
#include "eval_helpers.h"
#include "support/bench_tool.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// The same position with the other side to move (no en-passant square then).
std::string withOtherSideToMove(const std::string& fen) {
    const std::vector<std::string> fields = splitWords(fen);
    const char* other = fields[1] == "w" ? " b " : " w ";
    return fields[0] + other + fields[2] + " -";
}

// Each value worked out term by term; White to move.
constexpr TermCase WHOLE_CASES[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 0, "the initial position"},
    {"4k3/8/8/8/8/8/8/N3K3 w - -", 0, "a single minor: dead draw"},
    {"4k3/8/8/8/8/8/8/2B1K3 w - -", 0, "a single minor: dead draw"},
    {"4k3/8/8/8/8/8/8/R3K3 w - -", 612, "kings D e1 -9, e8 -9: 0; rook 500 - 8 + open 20; imbalance 0/+1: 100"},
    {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -", 21, "e2 -9 to e4 12 (exposures 1 and 1 alike)"},
    {"6k1/8/8/8/8/8/2q5/K2r4 w - -", -1531,
     "kings a1 -26, g8 -19: -7; queen c2 -(950 + 8); rook d1 -(500 + 6 + 20); imbalance 0 (queens unbalanced); "
     "danger: 14 units, tropism 8 + 2 -> -40"},
    {"6k1/8/8/8/8/8/2b5/K2rr3 w - -", -1376,
     "kings -7; bishop c2 -(315 + 2); rooks d1, e1 -(506 + 20) each; imbalance -1/-2: 0; danger: 13 units: none"},
};

}  // namespace

TEST(Evaluate, WholeValuesWorkedOutByHand) {
    for (const TermCase& c : WHOLE_CASES) {
        setUpOrFail(c.fen);
        EXPECT_EQ(evaluate(), c.expected) << c.fen << "\n" << c.arithmetic;
        // Skipped where Black to move would leave White in check, which set-up refuses.
        if (!setPosition(withOtherSideToMove(c.fen).c_str(), false)) continue;
        EXPECT_EQ(evaluate(), -c.expected) << c.fen << " with Black to move";
    }
}

TEST(Evaluate, SideToMoveOnlyFlipsTheSignOnRealPositions) {
    const std::vector<std::string> fens = readDataLines("real_positions.fen");
    int compared = 0;
    for (const std::string& fen : fens) {
        setUpOrFail(fen.c_str());
        const PositionSnapshot before = takeSnapshot();
        const Score value = evaluate();
        ASSERT_TRUE(takeSnapshot() == before) << "evaluate changed the position: " << fen;
        // The other side to move may be refused (that side would stand in check).
        if (!setPosition(withOtherSideToMove(fen).c_str(), false)) continue;
        EXPECT_EQ(evaluate(), -value) << fen;
        ++compared;
    }
    EXPECT_GT(compared, 400);
}

TEST(Evaluate, MoreMaterialThanTheTablesCoverUsesTheTopEntryAndStaysBelowMateScores) {
    setUpOrFail("qqqqqqqq/qrrbbnnk/8/8/8/8/QRRBBNNK/QQQQQQQQ w - -");
    ASSERT_GT(position.totalMaterial, PST_MATERIAL_LIMIT);
    EXPECT_EQ(&currentPst(PST_KING), pstByMaterial[PST_KING][PST_MATERIAL_LIMIT]);
    const Score value = evaluate();
    setUpOrFail("qqqqqqqq/qrrbbnnk/8/8/8/8/QRRBBNNK/QQQQQQQQ b - -");
    EXPECT_EQ(evaluate(), -value);
    // Nine queens and all pieces against a bare king: 10800 in material alone.
    setUpOrFail("7k/8/8/8/8/8/QRRBBNNK/QQQQQQQQ w - -");
    EXPECT_EQ(evaluate(), EVAL_LIMIT);
    setUpOrFail("7k/8/8/8/8/8/QRRBBNNK/QQQQQQQQ b - -");
    EXPECT_EQ(evaluate(), -EVAL_LIMIT);
}

namespace {

struct CommandResult {
    int status;
    std::string lastLine;
};

CommandResult runBench(const std::string& arguments) {
    const BenchToolRun run = runBenchTool(arguments);
    // The last line, line feed included.
    const std::size_t start = run.output.empty() ? 0 : run.output.rfind('\n', run.output.size() - 2) + 1;
    return {run.status, run.output.size() < 2 ? run.output : run.output.substr(start)};
}

}  // namespace

TEST(EvalCommand, PrintsTheValueForTheSideToMoveOrRefusesWithStatusTwo) {
    if (std::string(ZORVAK_BENCH_BINARY).empty()) GTEST_SKIP() << "built without zorvak-bench";
    CommandResult r = runBench("eval '4k3/8/8/8/8/8/8/R3K3 b - -'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lastLine, "-612\n");
    r = runBench("eval 'not a position'");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.lastLine, "");
    EXPECT_EQ(runBench("eval").status, 2);
}

TEST(EvaluateDeathTest, AMissingKingStopsDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "assertions are off in release builds";
#else
    setUpOrFail("4k3/8/8/8/8/8/8/R3K3 w - -");  // set-up refuses king-less positions, so remove one by hand
    EXPECT_DEATH(
        {
            position.kingSquare[BLACK] = NO_KING_SQUARE;
            evaluate();
        },
        "kingSquare");
#endif
}
