// zorvak-bench run as a separate program, as a developer runs it.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "movegen/legal.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

// zorvak-bench with the arguments; `streams` picks what is captured (standard output alone by default).
ProgramRun runBenchTool(const std::string& arguments, const char* streams = "2>/dev/null") {
    return runCommand(std::string("'") + ZORVAK_BENCH_BINARY + "' " + arguments + " " + streams);
}

const std::string KIWIPETE = "'r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -'";

// Whether the output ends with the summary "nodes N time T ms nps R" for the given N.
bool endsWithSummary(const std::string& output, unsigned long long nodes) {
    return std::regex_search(output, std::regex("(^|\n)nodes " + std::to_string(nodes) + " time [0-9]+ ms nps [0-9]+\n$"));
}

const std::string START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// One search of a `game` run: the position its trace names, and its "bestmove" line's move and nodes.
struct PrintedSearch {
    std::string fen, move;
    unsigned long long nodes;
};

std::vector<PrintedSearch> searchesOf(const std::string& output) {
    std::vector<PrintedSearch> searches;
    std::string fen;
    for (const std::string& line : splitLines(output)) {
        if (line.rfind("-FEN:\t", 0) == 0) fen = line.substr(6);
        const std::vector<std::string> words = splitWords(line);
        if (words.size() >= 6 && words[0] == "bestmove") searches.push_back({fen, words[1], std::stoull(words[5])});
    }
    return searches;
}

class BenchTool : public testing::Test {
protected:
    void SetUp() override {
        if (!*ZORVAK_BENCH_BINARY) GTEST_SKIP() << "zorvak-bench is not built";
    }
};

}  // namespace

// The total node count of the fixed searches: any change of search, evaluation or move
// ordering changes it. A commit that means to change it quotes the new number here.
TEST_F(BenchTool, BenchKeepsItsSignature) {
    const ProgramRun run = runBenchTool("bench");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("\nBench: 5040075\n"), std::string::npos) << run.output;
}

// Counts from Debian's stockfish 15.1 (go perft 4 from the initial position, go perft 2
// from kiwipete and its divide).
TEST_F(BenchTool, PerftAndDivideCountAndSummarise) {
    const ProgramRun perft = runBenchTool("perft 4 'rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -'");
    EXPECT_EQ(perft.status, 0);
    EXPECT_TRUE(endsWithSummary(perft.output, 197281)) << perft.output;
    const ProgramRun divide = runBenchTool("divide 2 " + KIWIPETE);
    EXPECT_EQ(divide.status, 0);
    for (const char* line : {"\nd5e6: 46\n", "\ne1g1: 43\n", "\ne1c1: 43\n"})
        EXPECT_NE(divide.output.find(line), std::string::npos) << line << divide.output;
    EXPECT_TRUE(endsWithSummary(divide.output, 2039)) << divide.output;
    EXPECT_EQ(std::count(divide.output.begin(), divide.output.end(), '\n'), 48 + 1);  // one line per root move
}

TEST_F(BenchTool, MovesEvalAndSearchPrintTheirResults) {
    // Double check: only the king moves, each a quiet move (score -30000, kind 0).
    EXPECT_EQ(runBenchTool("moves '4k3/8/5N2/8/8/8/8/4R1K1 b - -'").output,
              "evasions\ne8f7 -30000 0\ne8e7 -30000 0\ne8d7 -30000 0\ne8f8 -30000 0\ne8d8 -30000 0\n");
    EXPECT_EQ(runBenchTool("eval '4k3/8/8/8/8/8/8/R3K3 b - -'").output, "-612\n");  // the side to move's view
    // Mate in 2 (Buckle - NN, London 1840): 1. Nf6+ gxf6 2. Bxf7#, a mate three plies away.
    const ProgramRun search = runBenchTool("search 5 'r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq -'");
    ASSERT_EQ(search.status, 0);
    EXPECT_EQ(search.output.rfind("-FEN:\tr2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq -\n", 0), 0u);
    EXPECT_NE(search.output.find("--- MATE: 8097\n"), std::string::npos) << search.output;
    EXPECT_NE(search.output.find("\nbestmove d5f6 score 8097 nodes "), std::string::npos) << search.output;
    // Two bare kings: the draw by rule is named, not printed as an error.
    EXPECT_NE(runBenchTool("search 3 '8/8/4k3/8/8/4K3/8/8 w - -'").output.find("bestmove 1/2 - 1/2 (insufficient"),
              std::string::npos);
}

// Each `go` is searched in the position the moves and the earlier searches' moves reached, and
// plays a legal move there. The forced line, from Debian's stockfish 15.1: h1g1 is White's only
// move, then e8e1 Black's only mate in one.
TEST_F(BenchTool, GameSearchesWhereTheGameStandsAndPlaysTheMove) {
    const std::vector<std::vector<std::string>> cases = {  // FEN, words, the known moves of the searches
        {START, "e2e4 e7e5 go go", ""},
        {"4r1k1/5ppp/8/8/8/6p1/5nPP/7K w - -", "go go", "h1g1 e8e1"},
    };
    for (const std::vector<std::string>& c : cases) {
        const ProgramRun run = runBenchTool("game 4 '" + c[0] + "' " + c[1]);
        ASSERT_EQ(run.status, 0) << c[1];
        const std::vector<PrintedSearch> searches = searchesOf(run.output);
        setUpOrFail(c[0].c_str());
        std::size_t next = 0;
        std::string moves;
        for (const std::string& word : splitWords(c[1])) {
            if (word != "go") {
                playMoves({word});
                continue;
            }
            ASSERT_LT(next, searches.size()) << run.output;
            const PrintedSearch& s = searches[next++];
            EXPECT_EQ(s.fen, currentFen()) << c[1];
            ASSERT_TRUE(isLegalMove(gamePosition, coordinateMove(s.move))) << s.move << " in " << s.fen;
            playMoves({s.move});
            moves += (moves.empty() ? "" : " ") + s.move;
        }
        EXPECT_EQ(next, searches.size()) << run.output;
        if (!c[2].empty()) {
            EXPECT_EQ(moves, c[2]);
        }
    }
}

// As in a game, the second search inherits the first one's table: it costs fewer nodes than the
// same search in the same game played without the first search.
TEST_F(BenchTool, GameKeepsTheTableFromSearchToSearch) {
    const std::vector<PrintedSearch> game = searchesOf(runBenchTool("game 6 '" + START + "' e2e4 e7e5 go go").output);
    ASSERT_EQ(game.size(), 2u);
    const std::vector<PrintedSearch> fresh =
        searchesOf(runBenchTool("game 6 '" + START + "' e2e4 e7e5 " + game[0].move + " go").output);
    ASSERT_EQ(fresh.size(), 1u);
    ASSERT_EQ(fresh[0].fen, game[1].fen);
    EXPECT_LT(game[1].nodes, fresh[0].nodes);
}

TEST_F(BenchTool, UnreadableInputExitsWithStatusTwoAndSaysWhy) {
    const std::vector<std::string> refused = readDataLines("bench_refused.txt");
    ASSERT_GE(refused.size(), 20u);
    for (const std::string& arguments : refused) {
        const ProgramRun run = runBenchTool(arguments, "2>&1 >/dev/null");
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_FALSE(run.output.empty()) << arguments;  // the reason, on standard error
    }
    EXPECT_EQ(runBenchTool("perft 3 " + KIWIPETE, "2>&1 >/dev/null").output, "");
}
