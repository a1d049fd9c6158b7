// SAN read against pgn-extract's coordinates of real games, and the words of
// tests/data/san_cases.txt; coordinates written back.
#include <gtest/gtest.h>

#include "movegen/check.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

class SanCase : public testing::TestWithParam<DataRow> {};

TEST_P(SanCase, NamesItsMoveOrIsRefused) {
    const DataRow& row = GetParam();
    ASSERT_EQ(row.size(), 3u) << row[0];
    ASSERT_TRUE(setUpBoard(gamePosition, row[0].c_str())) << row[0];
    const PositionSnapshot before = takeSnapshot();
    const Move move = parseSan(gamePosition, row[1].c_str());
    EXPECT_TRUE(takeSnapshot() == before) << "reading " << row[1] << " changed the position";
    // A refused word gives no move, or a piece move the readers' quick legality test refuses.
    if (row[2] == "-") {
        const bool refused = move == 0 || (!isCastlingKind(moveKind(move)) && !isPseudoLegal(gamePosition, move));
        EXPECT_TRUE(refused) << row[1] << " read as " << moveText(move);
        return;
    }
    EXPECT_EQ(moveText(move), row[2]) << row[1];
    // A legal move also carries the kind the generator gives it.
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    for (int i = 0, n = generateLegalMoves(gamePosition, legal); i < n; ++i) {
        if (moveText(legal[i].move) == row[2]) {
            EXPECT_EQ(move, legal[i].move) << row[1];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Words, SanCase, testing::ValuesIn(readDataTable("san_cases.txt")));

}  // namespace

// Every move of famous games, read from SAN, is the legal move pgn-extract wrote in coordinates.
TEST(SanGames, EveryMoveResolvesToTheRecordedLegalMove) {
    for (const RecordedGame& game : loadRecordedGames()) {
        SCOPED_TRACE(game.name);
        const std::vector<std::string> san = pgnMoveWords("games/" + game.name + ".pgn");
        ASSERT_EQ(san.size(), game.moves.size());
        ASSERT_TRUE(setUpBoard(gamePosition, game.fens[0].c_str()));
        for (std::size_t ply = 0; ply < san.size(); ++ply) {
            const Move move = parseSan(gamePosition, san[ply].c_str());
            ASSERT_EQ(moveText(move), game.moves[ply]) << san[ply];
            ASSERT_TRUE(isLegalMove(gamePosition, move)) << san[ply];
            makeMove(gamePosition, move, testUndo[0]);  // game moves are never taken back
        }
    }
}
