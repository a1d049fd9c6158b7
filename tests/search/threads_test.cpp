// The engine's search with helper threads: they search beside the main worker and stop
// with it, the node limit holds for all of them together, the counts shown are their
// sum, and with one thread the search is the single worker's, node for node.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <string>

#include "movegen/legal.h"
#include "search/search_helpers.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"

namespace {

constexpr const char* MIDDLE_GAME = "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -";

// The nodes of each report, and whether they ever fell.
std::atomic<std::uint64_t> lastReported{0};
std::atomic<bool> countFell{false};

void watchCounts(const SearchReport& report) {
    if (report.nodes < lastReported.load()) countFell = true;
    lastReported = report.nodes;
}

class Threads : public ::testing::Test {
protected:
    void SetUp() override {
        lastReported = 0;
        countFell = false;
        setUpOrFail(MIDDLE_GAME);
    }
    void TearDown() override {
        searchReportHook.store(nullptr);
        std::string why;
        EXPECT_TRUE(setSearchThreads(1, why)) << why;
    }
    static void useThreads(int count) {
        std::string why;
        ASSERT_TRUE(setSearchThreads(count, why)) << why;
        ASSERT_EQ(searchThreadCount(), count);
    }
    // A search of the game position that ends by itself (a depth or node limit).
    static void searchToTheEnd(std::uint32_t depth, std::uint64_t nodes = NO_NODE_LIMIT) {
        StartEngine(gamePosition, REQUEST_THINK, depth, nodes);
        stoppedEvent.wait();
    }
    static std::uint64_t teamNodes() {
        std::uint64_t sum = 0;
        for (const SearchWorker* w : engineControl().team) sum += nodesOf(*w);
        return sum;
    }
};

}  // namespace

TEST_F(Threads, HelpersSearchBesideTheMainWorkerAndStopWithIt) {
    // An analysis runs until stopped, so every helper gets its turn however busy the
    // machine is; the wait is for that, never a fixed time.
    for (const int count : {2, 4}) {
        useThreads(count);
        clearSearchTables();
        lastReported = 0;
        searchReportHook.store(watchCounts);
        StartEngine(gamePosition, REQUEST_ANALYZE, MAX_SEARCH_DEPTH);
        ASSERT_EQ(engineControl().team.size(), static_cast<std::size_t>(count));
        const auto everyWorkerSearched = [] {
            for (const SearchWorker* w : engineControl().team)
                if (nodesOf(*w) == 0) return false;
            return true;
        };
        const auto giveUpAt = std::chrono::steady_clock::now() + std::chrono::minutes(2);
        while (!everyWorkerSearched() && std::chrono::steady_clock::now() < giveUpAt)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        StopEngine();
        EXPECT_TRUE(stoppedEvent.isSet()) << "every worker is idle once the main search stops";
        for (const SearchWorker* w : engineControl().team) EXPECT_GT(nodesOf(*w), 0u) << "worker " << w->id;
        EXPECT_TRUE(isLegalMove(gamePosition, bestMove()));
        EXPECT_FALSE(countFell) << "the nodes shown are the sum of every worker's";
        EXPECT_LE(lastReported.load(), teamNodes());
    }
}

TEST_F(Threads, ANodeLimitHoldsForAllTheThreadsTogether) {
    constexpr std::uint64_t LIMIT = 400000;
    for (const int count : {1, 4}) {
        useThreads(count);
        clearSearchTables();
        searchToTheEnd(MAX_SEARCH_DEPTH, LIMIT);
        EXPECT_GE(teamNodes(), LIMIT * 9 / 10) << count << " threads";
        EXPECT_LT(teamNodes(), LIMIT + LIMIT / 5) << count << " threads";
        EXPECT_TRUE(isLegalMove(gamePosition, bestMove()));
    }
}

TEST_F(Threads, OneThreadIsTheWorkersOwnSearchNodeForNode) {
    useThreads(1);
    clearSearchTables();
    searchToTheEnd(8);
    const std::uint64_t engineNodes = nodesOf(mainWorker());
    const Move engineMove = bestMove();
    clearSearchTables();
    EXPECT_EQ(searchToDepth(8), engineMove);
    EXPECT_EQ(nodesOf(mainWorker()), engineNodes);
}

TEST_F(Threads, TheNumberOfThreadsChangesBetweenSearches) {
    for (const int count : {3, 1, 2, 1}) {
        useThreads(count);
        searchToTheEnd(6);
        EXPECT_TRUE(isLegalMove(gamePosition, bestMove())) << count;
    }
    std::string why;
    EXPECT_FALSE(setSearchThreads(0, why));
    EXPECT_FALSE(why.empty());
    EXPECT_EQ(searchThreadCount(), 1);
}
