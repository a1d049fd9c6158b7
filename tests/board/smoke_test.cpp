#include <gtest/gtest.h>

#include "board/validate.h"
#include "board/zobrist.h"
#include "support/board_helpers.h"

TEST(Smoke, StartPositionAndOneMove) {
    setUpOrFail(START_FEN);
    EXPECT_EQ(position.hashKey, INITIAL_POSITION_KEY);
    EXPECT_EQ(currentFen(), START_FEN);
    EXPECT_EQ(validatePosition(), "");
    const PositionSnapshot before = takeSnapshot();
    saveUndoInfo(plyRecords[0]);
    const Move m = coordinateMove("e2e4");
    makeMove(m, plyRecords[0]);
    EXPECT_EQ(validatePosition(), "");
    EXPECT_EQ(currentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    unmakeMove(m, plyRecords[0]);
    EXPECT_EQ(validatePosition(), "");
    EXPECT_TRUE(takeSnapshot() == before);
}
