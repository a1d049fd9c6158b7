// SAN written for moves and lines against pgn-extract's SAN (tests/data/san_writing.txt and
// the famous games), and read back by parseSan for every legal move of real positions.
#include <gtest/gtest.h>

#include <memory>

#include "movegen/legal.h"
#include "movegen/san.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

constexpr const char* NO_SAN_WORDS = "-";

// The coordinate words as moves, each read on the board the legal ones before it reach.
std::vector<Move> movesOfWords(const std::vector<std::string>& words) {
    const auto board = std::make_unique<Position>(gamePosition);
    std::vector<Move> moves;
    for (const std::string& word : words) {
        moves.push_back(coordinateMove(word, *board));
        if (isLegalMove(*board, moves.back())) makeMove(*board, moves.back(), testUndo[moves.size() - 1]);
    }
    return moves;
}

class SanWriting : public testing::TestWithParam<DataRow> {};

TEST_P(SanWriting, MovesAndTheLineAreWrittenAsPgnExtractWritesThem) {
    const DataRow& row = GetParam();
    ASSERT_EQ(row.size(), 3u) << row[0];
    ASSERT_TRUE(setUpBoard(gamePosition, row[0].c_str())) << row[0];
    const std::vector<Move> moves = movesOfWords(splitWords(row[1]));
    const std::vector<std::string> expected = row[2] == NO_SAN_WORDS ? std::vector<std::string>{} : splitWords(row[2]);
    ASSERT_LE(expected.size(), moves.size()) << row[1];
    const PositionSnapshot start = takeSnapshot();
    EXPECT_EQ(lineToSan(gamePosition, moves), expected);
    EXPECT_TRUE(takeSnapshot() == start) << "the line left the position changed";
    for (std::size_t ply = 0; ply < expected.size(); ++ply) {
        const PositionSnapshot before = takeSnapshot();
        EXPECT_EQ(moveToSan(gamePosition, moves[ply]), expected[ply]);
        EXPECT_TRUE(takeSnapshot() == before) << "writing " << expected[ply] << " changed the position";
        makeMove(gamePosition, moves[ply], testUndo[ply]);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SanWriting, testing::ValuesIn(readDataTable("san_writing.txt")));

}  // namespace

// Whole games: nothing normalised, check and mate signs included (the words of the .pgn
// files are those `pgn-extract -s` writes for them).
TEST(SanWritingGames, EveryGameIsWrittenAsPgnExtractWroteIt) {
    for (const RecordedGame& game : loadRecordedGames()) {
        SCOPED_TRACE(game.name);
        std::vector<Move> moves;
        for (std::size_t ply = 0; ply < game.moves.size(); ++ply) {
            ASSERT_TRUE(setUpBoard(gamePosition, game.fens[ply].c_str()));
            moves.push_back(coordinateMove(game.moves[ply]));
        }
        ASSERT_TRUE(setUpBoard(gamePosition, game.fens[0].c_str()));
        EXPECT_EQ(lineToSan(gamePosition, moves), pgnMoveWords("games/" + game.name + ".pgn"));
    }
}

// Every word written names its move again, without ambiguity.
TEST(SanWritingRoundTrip, EveryLegalMoveOfRealPositionsIsReadBack) {
    for (const std::string& fen : readDataLines("real_positions.fen")) {
        ASSERT_TRUE(setUpBoard(gamePosition, fen.c_str())) << fen;
        const PositionSnapshot before = takeSnapshot();
        MoveEntry legal[MAX_MOVES_PER_POSITION];
        for (int i = 0, n = generateLegalMoves(gamePosition, legal); i < n; ++i) {
            const std::string san = moveToSan(gamePosition, legal[i].move);
            EXPECT_EQ(parseSan(gamePosition, san.c_str()), legal[i].move) << fen << ": " << san;
        }
        EXPECT_TRUE(takeSnapshot() == before) << fen;
    }
}

// A line longer than the game history holds stops where the history is full.
TEST(SanWritingLongLine, StopsBeforeTheHistoryOverflows) {
    ASSERT_TRUE(setUpBoard(gamePosition, "4k1n1/8/8/8/8/8/8/4K1N1 w - -"));
    const std::vector<Move> shuffle = {makeMoveCode(squareOf("g1"), squareOf("f3"), KIND_QUIET),
                                       makeMoveCode(squareOf("g8"), squareOf("f6"), KIND_QUIET),
                                       makeMoveCode(squareOf("f3"), squareOf("g1"), KIND_QUIET),
                                       makeMoveCode(squareOf("f6"), squareOf("g8"), KIND_QUIET)};
    std::vector<Move> moves;
    while (moves.size() <= static_cast<std::size_t>(GAME_HISTORY_SIZE))
        moves.insert(moves.end(), shuffle.begin(), shuffle.end());
    const PositionSnapshot before = takeSnapshot();
    const std::size_t written = lineToSan(gamePosition, moves).size();
    EXPECT_LT(written, moves.size());
    EXPECT_GE(written, static_cast<std::size_t>(GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE));
    EXPECT_TRUE(takeSnapshot() == before);
}
