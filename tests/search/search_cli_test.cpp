// zorvak-bench search, run as a separate program.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/bench_tool.h"

namespace {

using CliRun = BenchToolRun;

CliRun runBench(const std::string& arguments) { return runBenchTool(arguments); }

class SearchCommand : public testing::Test {
protected:
    void SetUp() override {
        if (std::string(ZORVAK_BENCH_BINARY).empty()) GTEST_SKIP() << "built without zorvak-bench";
    }
};

TEST_F(SearchCommand, PrintsTheTraceAndTheResultLine) {
    // Mate in 2 (Buckle - NN, London 1840): 1. Nf6+ gxf6 2. Bxf7#.
    const CliRun run = runBench("search 5 'r2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq -'");
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.output.rfind("-FEN:\tr2qkb1r/pp2nppp/3p4/2pNN1B1/2BnP3/3P4/PPP2PPP/R2bK2R w KQkq -\n", 0), 0u)
        << run.output;
    EXPECT_NE(run.output.find("--- MATE: 8097\n"), std::string::npos);
    const std::size_t last = run.output.rfind("bestmove ");
    ASSERT_NE(last, std::string::npos);
    unsigned long long nodes = 0, ms = 0, nps = 0;
    char move[8] = "";
    int score = 0;
    EXPECT_EQ(std::sscanf(run.output.c_str() + last, "bestmove %7s score %d nodes %llu time %llu ms nps %llu", move,
                          &score, &nodes, &ms, &nps),
              5);
    EXPECT_STREQ(move, "d5f6");
    EXPECT_EQ(score, 8097);
    EXPECT_GT(nodes, 0u);
}

TEST_F(SearchCommand, RefusesUnreadableInputWithStatusTwo) {
    EXPECT_EQ(runBench("search 5 'not a position'").status, 2);
    EXPECT_EQ(runBench("search x '8/8/8/8/8/8/8/K6k w - -'").status, 2);
    EXPECT_EQ(runBench("search 5").status, 2);
}

}  // namespace
