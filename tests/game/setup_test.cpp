// Starting a game: the set-up clears what the previous game left behind and reads
// the EPD operations of its text.
#include <gtest/gtest.h>

#include <cstring>

#include "game/rootsnapshot.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"

TEST(SetPosition, ClearsTheSearchTablesAndTheHistory) {
    setUpOrFail(START_FEN);
    markEngineTable();
    SearchWorker& w = mainWorker();
    w.history[WHITE][100] = 9;
    w.pawnCache.store(0x3333, 1, 11);
    w.plies[40].killer1 = 0x123;
    engineTable().setAge(5);
    playMoves({"e2e4"});
    setUpOrFail("4k3/8/8/8/8/8/8/4K3 b - -");
    EXPECT_FALSE(engineTableMarked());
    EXPECT_EQ(w.history[WHITE][100], 0u);
    int score = 0;
    EXPECT_FALSE(w.pawnCache.probe(0x3333, 1, score));
    EXPECT_EQ(w.plies[40].killer1, 0);
    EXPECT_EQ(engineTable().age(), 1);
    EXPECT_EQ(gamePosition.historyTop, gamePosition.history);
    EXPECT_EQ(gamePosition.history[1].key(), 0u);
    EXPECT_EQ(rootSnapshot.rootSide, BLACK);
    EXPECT_EQ(rootSnapshot.rootBlackKingSquare, squareOf("e8"));
    EXPECT_EQ(std::memcmp(rootSnapshot.rootBoard, gamePosition.board, 64), 0);
}

TEST(SetPosition, BestAndAvoidMovesAreReadAsSan) {
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3;", false));
    EXPECT_EQ(gamePosition.expectedMove, coordinateMove("g1f3"));
    EXPECT_EQ(gamePosition.avoidMove, 0);
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - am e4; id \"x\";", false));
    EXPECT_EQ(gamePosition.avoidMove, coordinateMove("e2e4"));
    EXPECT_EQ(gamePosition.expectedMove, 0);
    // An operand at the very end of the text is not taken.
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3", false));
    EXPECT_EQ(gamePosition.expectedMove, 0);
    // An unreadable move warns and refuses the whole set-up: the previous position stands.
    setUpOrFail("4k3/8/8/8/8/8/8/R3K3 w Q -");
    testing::internal::CaptureStdout();
    EXPECT_FALSE(setPosition("4k3/8/8/8/8/8/8/4K3 b - - am Nf3;", false));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning cannot recognize move: Nf3\r\n");
    EXPECT_EQ(currentFen(), "4k3/8/8/8/8/8/8/R3K3 w Q -");
}
