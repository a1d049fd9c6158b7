// zorvak-bench perft, divide and moves, run as a separate program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "support/bench_tool.h"

namespace {

using BenchRun = BenchToolRun;

BenchRun bench(const std::string& arguments, const char* streams = "2>/dev/null") {
    return runBenchTool(arguments, streams);
}

// Whether `line` is a summary "nodes N time T ms nps R" for the given N.
bool isSummary(const std::string& line, unsigned long long nodes) {
    unsigned long long n = 0, ms = 0, nps = 0;
    int consumed = 0;
    const int read = std::sscanf(line.c_str(), "nodes %llu time %llu ms nps %llu\n%n", &n, &ms, &nps, &consumed);
    return read == 3 && n == nodes && consumed == static_cast<int>(line.size());
}

// The last line of a text.
std::string lastLine(const std::string& text) {
    const std::size_t start = text.rfind('\n', text.size() >= 2 ? text.size() - 2 : 0);
    return start == std::string::npos ? text : text.substr(start + 1);
}

const char* const KIWIPETE = "\"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -\"";

class BenchCli : public testing::Test {
protected:
    void SetUp() override {
        if (std::string(ZORVAK_BENCH_BINARY).empty()) GTEST_SKIP() << "zorvak-bench is not built";
    }
};

}  // namespace

// Counts from Debian's stockfish 15.1 (go perft 4 from the initial position, go perft 2
// from kiwipete).
TEST_F(BenchCli, PerftAndDivideCountAndSummarise) {
    const BenchRun perft = bench("perft 4 \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\"");
    EXPECT_EQ(perft.status, 0);
    EXPECT_TRUE(isSummary(perft.output, 197281)) << perft.output;

    const BenchRun divide = bench(std::string("divide 2 ") + KIWIPETE);
    EXPECT_EQ(divide.status, 0);
    EXPECT_NE(divide.output.find("\nd5e6: 46\n"), std::string::npos) << divide.output;
    EXPECT_NE(divide.output.find("\ne1g1: 43\n"), std::string::npos);
    EXPECT_NE(divide.output.find("\ne1c1: 43\n"), std::string::npos);
    EXPECT_TRUE(isSummary(lastLine(divide.output), 2039)) << divide.output;
    EXPECT_EQ(std::count(divide.output.begin(), divide.output.end(), '\n'), 48 + 1);  // one line per root move
}

TEST_F(BenchCli, MovesListsWhatTheGeneratorsWrite) {
    const BenchRun quiet = bench("moves \"r6k/1P6/8/8/8/8/8/4K3 w - -\"");
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.output,
              "all\nb7a8q -8901 8\nb7a8n -29505 9\nb7a8r -29525 10\nb7a8b -29550 11\n"
              "b7b8q -9401 4\nb7b8n -30005 5\nb7b8r -30025 6\nb7b8b -30050 7\n"
              "e1f1 -30000 0\ne1d1 -30000 0\ne1f2 -30000 0\ne1e2 -30000 0\ne1d2 -30000 0\n"
              "captures\nb7a8q -8901 8\nb7a8n -29505 9\nb7a8r -29525 10\nb7a8b -29550 11\n");

    const BenchRun check = bench("moves \"4k3/8/5N2/8/8/8/8/4R1K1 b - -\"");
    EXPECT_EQ(check.status, 0);
    EXPECT_EQ(check.output, "evasions\ne8f7 -30000 0\ne8e7 -30000 0\ne8d7 -30000 0\ne8f8 -30000 0\ne8d8 -30000 0\n");
}

TEST_F(BenchCli, UnreadableInputExitsWithStatusTwo) {
    for (const std::string& arguments : {std::string("perft 3 \"rnbqkbnr/ppppxppp w\""), std::string("moves \"\""),
                                        std::string("divide 2 \"8/8/8/8/8/8/8/8 w - -\""),
                                        std::string("perft 0 ") + KIWIPETE, std::string("perft deep ") + KIWIPETE,
                                        std::string("perft 3")}) {
        SCOPED_TRACE(arguments);
        const BenchRun run = bench(arguments, "2>&1 >/dev/null");
        EXPECT_EQ(run.status, 2);
        EXPECT_FALSE(run.output.empty());  // the reason, on standard error
    }
    EXPECT_EQ(bench(std::string("perft 3 ") + KIWIPETE, "2>&1 >/dev/null").output, "");
}
