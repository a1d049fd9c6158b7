// Perft: leaf counts of the legal move tree against published and stockfish counts
// (tests/data/perft.txt); the board is recounted from scratch after each make and
// unmake of the first two plies.
#include <gtest/gtest.h>

#include "board/fen.h"
#include "game/gameposition.h"
#include "movegen/perft.h"
#include "support/data_files.h"

namespace {

class Perft : public testing::TestWithParam<DataRow> {};

TEST_P(Perft, CountsEveryDepth) {
    const DataRow& row = GetParam();
    ASSERT_EQ(row.size(), 3u) << row[0];
    SCOPED_TRACE(row[0]);
    ASSERT_TRUE(setUpBoard(gamePosition, row[1].c_str())) << row[1];
    const std::vector<std::string> counts = splitWords(row[2]);
    for (int depth = 1; depth <= static_cast<int>(counts.size()); ++depth) {
        std::string fault;
        EXPECT_EQ(perftValidated(gamePosition, depth, 2, fault), std::stoull(counts[depth - 1])) << "depth " << depth;
        EXPECT_EQ(fault, "") << "depth " << depth;
    }
}

INSTANTIATE_TEST_SUITE_P(Positions, Perft, testing::ValuesIn(readDataTable("perft.txt")));

}  // namespace
