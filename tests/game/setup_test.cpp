// Starting a game: the set-up clears what the previous game left behind.
#include <gtest/gtest.h>

#include <cstring>

#include "eval/pawnhash.h"
#include "game/rootsnapshot.h"
#include "game/setup.h"
#include "search/history.h"
#include "search/plyrecord.h"
#include "search/tt.h"
#include "support/board_helpers.h"

namespace {
Square sq(const char* n) { return (n[0] - 'a') + 8 * ('8' - n[1]); }
}  // namespace

TEST(SetPosition, ClearsTheSearchTablesAndTheHistory) {
    setUpOrFail(START_FEN);
    transpositionTable[5][1].word1 = 7;
    historyTable[WHITE][100] = 9;
    pawnHashTable[3] = 11;
    plyRecords[40].killer1 = 0x123;
    hashAge = 5;
    saveUndoInfo(testUndo[0]);
    makeMove(coordinateMove("e2e4"), testUndo[0]);
    setUpOrFail("4k3/8/8/8/8/8/8/4K3 b - -");
    EXPECT_EQ(transpositionTable[5][1].word1, 0u);
    EXPECT_EQ(historyTable[WHITE][100], 0u);
    EXPECT_EQ(pawnHashTable[3], 0u);
    EXPECT_EQ(plyRecords[40].killer1, 0);
    EXPECT_EQ(hashAge, 1);
    EXPECT_EQ(historyTop, gameHistory);
    EXPECT_EQ(gameHistory[1].key(), 0u);
    EXPECT_EQ(rootSnapshot.rootSide, BLACK);
    EXPECT_EQ(rootSnapshot.rootBlackKingSquare, sq("e8"));
    EXPECT_EQ(std::memcmp(rootSnapshot.rootBoard, position.board, 64), 0);
}
