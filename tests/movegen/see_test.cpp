// Exchange evaluation against the values of tests/data/see.txt, worked out by hand.
#include <gtest/gtest.h>

#include "movegen/see.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

class Exchange : public testing::TestWithParam<DataRow> {};

TEST_P(Exchange, ScoresAsWorkedOutByHand) {
    const DataRow& row = GetParam();
    ASSERT_EQ(row.size(), 4u) << row[0];
    ASSERT_TRUE(setUpBoard(gamePosition, row[0].c_str())) << row[0];
    const Bitboard* b = gamePosition.pieceBoards;
    const Bitboard queens = b[WHITE_QUEEN] | b[BLACK_QUEEN];
    const Move m = coordinateMove(row[1]);
    EXPECT_EQ(staticExchange(gamePosition, gamePosition.board[moveFrom(m)], moveFrom(m), moveTo(m),
                             b[WHITE_ROOK] | b[BLACK_ROOK] | queens, b[WHITE_BISHOP] | b[BLACK_BISHOP] | queens),
              std::stoi(row[2]))
        << row[0] << " " << row[1] << ": " << row[3];
}

INSTANTIATE_TEST_SUITE_P(Captures, Exchange, testing::ValuesIn(readDataTable("see.txt")));

}  // namespace
