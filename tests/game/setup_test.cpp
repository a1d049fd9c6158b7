// Starting a game: the set-up clears what the previous game left behind and reads
// the EPD operations of its text.
#include <gtest/gtest.h>

#include <cstring>

#include "eval/pawnhash.h"
#include "game/rootsnapshot.h"
#include "search/history.h"
#include "search/plyrecord.h"
#include "search/tt.h"
#include "support/board_helpers.h"

TEST(SetPosition, ClearsTheSearchTablesAndTheHistory) {
    setUpOrFail(START_FEN);
    transpositionTable[5][1].word1 = 7;
    historyTable[WHITE][100] = 9;
    pawnHashTable[3] = 11;
    plyRecords[40].killer1 = 0x123;
    hashAge = 5;
    playMoves({"e2e4"});
    setUpOrFail("4k3/8/8/8/8/8/8/4K3 b - -");
    EXPECT_EQ(transpositionTable[5][1].word1, 0u);
    EXPECT_EQ(historyTable[WHITE][100], 0u);
    EXPECT_EQ(pawnHashTable[3], 0u);
    EXPECT_EQ(plyRecords[40].killer1, 0);
    EXPECT_EQ(hashAge, 1);
    EXPECT_EQ(historyTop, gameHistory);
    EXPECT_EQ(gameHistory[1].key(), 0u);
    EXPECT_EQ(rootSnapshot.rootSide, BLACK);
    EXPECT_EQ(rootSnapshot.rootBlackKingSquare, squareOf("e8"));
    EXPECT_EQ(std::memcmp(rootSnapshot.rootBoard, position.board, 64), 0);
}

TEST(SetPosition, BestAndAvoidMovesAreReadAsSan) {
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3;", false));
    EXPECT_EQ(position.expectedMove, coordinateMove("g1f3"));
    EXPECT_EQ(position.avoidMove, 0);
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - am e4; id \"x\";", false));
    EXPECT_EQ(position.avoidMove, coordinateMove("e2e4"));
    EXPECT_EQ(position.expectedMove, 0);
    // An operand at the very end of the text is not taken.
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3", false));
    EXPECT_EQ(position.expectedMove, 0);
    // An unreadable move warns and refuses the whole set-up: the previous position stands.
    setUpOrFail("4k3/8/8/8/8/8/8/R3K3 w Q -");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(setPosition("4k3/8/8/8/8/8/8/4K3 b - - am Nf3;", false));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning cannot recognize move: Nf3\r\n");
    EXPECT_EQ(currentFen(), "4k3/8/8/8/8/8/8/R3K3 w Q -");
}
