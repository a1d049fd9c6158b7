// makeMove and unmakeMove refuse the codes that are no moves. (Real games made and unmade,
// and the game history's compaction: tests/game/gamemove_test.cpp.)
#include <gtest/gtest.h>

#include "support/board_helpers.h"

TEST(MakeUnmake, PseudoMovesAreRefusedWithoutTouchingThePosition) {
    setUpOrFail("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    const PositionSnapshot before = takeSnapshot();
    saveUndoInfo(gamePosition, testUndo[0]);
    for (Move verdict : {VERDICT_MATED, VERDICT_STALEMATE, NULL_MOVE}) {
        EXPECT_THROW(makeMove(gamePosition, verdict, testUndo[0]), NotAMove);
        EXPECT_THROW(unmakeMove(gamePosition, verdict, testUndo[0]), NotAMove);
        EXPECT_TRUE(takeSnapshot() == before);
    }
}
