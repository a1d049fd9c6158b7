// The best lines (MultiPV) and the root moves a search may choose from: each line a
// move of its own, the first the move played; never more lines than legal moves; a
// search over some moves only plays one of them, helpers too, and leaves the root's
// table entry alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "movegen/legal.h"
#include "search/search_helpers.h"
#include "search/searchthread.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

constexpr const char* KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";

struct Shown {
    int depth, line, score;
    std::string first;  // the line's first move
};
std::vector<Shown> shown;

// Only the lines of finished iterations: those of an unfinished one are the first line's.
void keepIterationLine(const SearchReport& report) {
    if (report.kind != ReportKind::ITERATION) return;
    const std::string pv = report.pv;
    shown.push_back({report.depth, report.line, report.score, pv.substr(0, pv.find(' '))});
}

// The deepest iteration's lines by number, each as last shown (a line that moved up
// is shown again in its new place).
std::map<int, Shown> deepestLines() {
    std::map<int, Shown> lines;
    const int deepest = shown.empty() ? 0 : std::max_element(shown.begin(), shown.end(), [](auto& a, auto& b) {
                                                return a.depth < b.depth;
                                            })->depth;
    for (const Shown& line : shown)
        if (line.depth == deepest) lines[line.line] = line;
    return lines;
}

std::set<std::string> firstMoves(const std::map<int, Shown>& lines) {
    std::set<std::string> moves;
    for (const auto& [number, line] : lines) moves.insert(line.first);
    return moves;
}

int legalMoveCount() {
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    return generateLegalMoves(gamePosition, legal);
}

RootScope scopeOf(const std::vector<std::string>& words, int lines = 1) {
    RootScope scope{{}, lines};
    for (const std::string& word : words) scope.moves.push_back(coordinateMove(word));
    return scope;
}

bool inScope(const RootScope& scope, const std::string& move) {
    return std::any_of(scope.moves.begin(), scope.moves.end(), [&](Move m) { return moveText(m) == move; });
}

class BestLines : public ::testing::Test {
protected:
    void SetUp() override {
        shown.clear();
        searchReportHook.store(keepIterationLine);
    }
    void TearDown() override {
        searchReportHook.store(nullptr);
        mainWorker().scope = RootScope{};
    }
};

}  // namespace

TEST_F(BestLines, ThreeLinesOfRealPositionsAreTheBestMovesInOrderTheFirstPlayed) {
    const std::vector<std::string> fens = readDataLines("real_positions.fen");
    const int depth = SANITIZED_BUILD ? 4 : 5;
    const std::size_t step = SANITIZED_BUILD ? 61 : 13;
    int searches = 0, sameAsOneLine = 0, firstOnTop = 0;
    for (std::size_t i = 40; i < fens.size(); i += step) {
        setUpOrFail(fens[i].c_str());  // a new game: the tables cleared
        const Move single = searchToDepth(depth);
        const int singleScore = bestScore();
        setUpOrFail(fens[i].c_str());
        shown.clear();
        const Move move = searchToDepth(depth, {{}, 3});
        const std::map<int, Shown> lines = deepestLines();
        ++searches;
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(std::min(3, legalMoveCount()))) << fens[i];
        EXPECT_EQ(firstMoves(lines).size(), lines.size()) << fens[i];
        EXPECT_EQ(lines.at(1).first, moveText(move)) << fens[i];
        EXPECT_EQ(lines.at(1).score, bestScore()) << fens[i];
        // The root list holds the lines in their order, the lines after the first by score.
        for (const auto& [number, line] : lines) {
            EXPECT_EQ(moveText(mainWorker().moveList[number - 1].move), line.first) << fens[i];
            EXPECT_EQ(mainWorker().moveList[number - 1].score, line.score) << fens[i];
            if (number > 2) {
                EXPECT_LE(line.score, lines.at(number - 1).score) << fens[i];
            }
        }
        // The root's entry is the first line's, whatever the later lines found.
        const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
        ASSERT_TRUE(entry.has_value()) << fens[i];
        EXPECT_EQ(entryMove(*entry), move) << fens[i];
        // The later lines share the table with the first, which can shift its result a
        // little now and then; as a rule it is the one-line search's, above the second.
        sameAsOneLine += single == move && singleScore == bestScore();
        firstOnTop += lines.size() < 2 || lines.at(1).score >= lines.at(2).score;
    }
    EXPECT_GE(searches, SANITIZED_BUILD ? 9 : 40);
    EXPECT_GE(sameAsOneLine * 10, searches * 9);
    EXPECT_GE(firstOnTop * 10, searches * 9);
}

TEST_F(BestLines, NeverMoreLinesThanLegalMoves) {
    const struct {
        const char* fen;
        int asked, given;
    } cases[] = {
        {"7k/8/p5K1/8/P7/8/8/8 b - -", 5, 2},          // Kg8 and a5
        {"7k/8/6K1/8/8/2p5/2P5/8 b - -", 3, 1},        // Kg8 only
        {KIWIPETE, MAX_PV_LINES, 48},                  // every move a line
        {"7k/5Q2/6K1/8/8/8/8/8 b - -", 3, 0},          // stalemate: the verdict, no line
    };
    for (const auto& c : cases) {
        setUpOrFail(c.fen);
        shown.clear();
        const Move move = searchToDepth(3, {{}, c.asked});
        if (c.given == 0) {
            EXPECT_EQ(move, VERDICT_STALEMATE);
            EXPECT_TRUE(shown.empty());
            continue;
        }
        std::map<int, std::map<int, Shown>> byDepth;
        for (const Shown& line : shown) byDepth[line.depth][line.line] = line;
        ASSERT_FALSE(byDepth.empty()) << c.fen;
        for (const auto& [depth, lines] : byDepth) {
            EXPECT_EQ(lines.size(), static_cast<std::size_t>(c.given)) << c.fen << " depth " << depth;
            EXPECT_EQ(firstMoves(lines).size(), lines.size()) << c.fen << " depth " << depth;
        }
    }
}

TEST_F(BestLines, ASearchOverSomeMovesPlaysOneOfThemAndLeavesTheRootsEntry) {
    const struct {
        const char* fen;
        std::vector<std::string> moves;
        int lines;
    } cases[] = {
        {START_FEN, {"a2a3"}, 1},
        {START_FEN, {"g1h3", "b1a3", "h2h4"}, 2},
        {KIWIPETE, {"a2a3", "h1f1", "e1d1"}, 1},  // e2a6, the best move, left out
    };
    for (const auto& c : cases) {
        setUpOrFail(c.fen);
        const RootScope scope = scopeOf(c.moves, c.lines);
        // An exact deep entry naming a move left out: neither the move nor its depth is taken.
        engineTable().store(gamePosition, 9, BOUND_EXACT, 40, coordinateMove(c.fen == KIWIPETE ? "e2a6" : "e2e4"));
        shown.clear();
        const Move move = searchToDepth(5, scope);
        EXPECT_TRUE(inScope(scope, moveText(move))) << c.fen << ": " << moveText(move);
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.front().depth, FIRST_ITERATION_DEPTH);
        for (const Shown& line : shown) EXPECT_TRUE(inScope(scope, line.first)) << c.fen << ": " << line.first;
        EXPECT_EQ(deepestLines().size(), static_cast<std::size_t>(c.lines));
        const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entryDepth(*entry), 9);
    }
}

TEST_F(BestLines, HelpersSearchOnlyTheMovesOfTheScopeToo) {
    std::string why;
    ASSERT_TRUE(setSearchThreads(3, why)) << why;
    setUpOrFail(KIWIPETE);
    const RootScope scope = scopeOf({"a2a3", "g2g3"});
    StartEngine(gamePosition, REQUEST_THINK, 8, NO_NODE_LIMIT, scope);
    stoppedEvent.wait();
    EXPECT_TRUE(inScope(scope, moveText(bestMove())));
    // No worker wrote the root's entry: each knew its moves were not all of them.
    EXPECT_FALSE(engineTable().probe(gamePosition).has_value());
    ASSERT_TRUE(setSearchThreads(1, why)) << why;
}
