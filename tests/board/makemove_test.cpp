// Make and unmake against real games and lines whose FENs pgn-extract computed, the
// refusal of pseudo-moves and the compaction of the game history.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "board/validate.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// Plays the moves one undo record each, checking the position from scratch and
// against the expected FENs; then unmakes them all, checking each snapshot.
void playAndTakeBack(const std::string& name, const std::vector<std::string>& moves,
                     const std::vector<std::string>& fensAfter, std::set<MoveKind>& kinds) {
    ASSERT_LE(moves.size(), static_cast<std::size_t>(TEST_UNDO_RECORDS)) << name;
    std::vector<PositionSnapshot> before;
    std::vector<Move> made;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        before.push_back(takeSnapshot());
        made.push_back(coordinateMove(moves[i]));
        kinds.insert(moveKind(made.back()));
        saveUndoInfo(testUndo[i]);
        makeMove(made.back(), testUndo[i]);
        ASSERT_EQ(validatePosition(), "") << name << " after " << moves[i] << " (ply " << i + 1 << ")";
        ASSERT_EQ(currentFen(), fensAfter[i]) << name << " after " << moves[i] << " (ply " << i + 1 << ")";
    }
    for (std::size_t i = moves.size(); i-- > 0;) {
        unmakeMove(made[i], testUndo[i]);
        ASSERT_EQ(validatePosition(), "") << name << " taking back " << moves[i];
        ASSERT_TRUE(takeSnapshot() == before[i]) << name << " taking back " << moves[i] << " changed the position";
    }
}

}  // namespace

TEST(MakeUnmake, RealGamesAndLinesOfEveryKindMatchTheirKnownPositions) {
    std::set<MoveKind> kinds;
    const std::vector<RecordedGame> games = loadGamesAndLines();
    ASSERT_GE(games.size(), 16u);
    for (const RecordedGame& game : games) {
        setUpOrFail(game.fens[0].c_str());
        playAndTakeBack(game.name, game.moves, std::vector<std::string>(game.fens.begin() + 1, game.fens.end()), kinds);
    }
    for (MoveKind k = 0; k < 16; ++k)
        EXPECT_TRUE(k == KIND_NO_MOVE || kinds.count(k)) << "nothing exercises move kind " << k;
}

TEST(MakeUnmake, PseudoMovesAreRefusedWithoutTouchingThePosition) {
    setUpOrFail("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    const PositionSnapshot before = takeSnapshot();
    saveUndoInfo(testUndo[0]);
    for (Move verdict : {VERDICT_MATED, VERDICT_STALEMATE, NULL_MOVE}) {
        EXPECT_THROW(makeMove(verdict, testUndo[0]), NotAMove);
        EXPECT_THROW(unmakeMove(verdict, testUndo[0]), NotAMove);
        EXPECT_TRUE(takeSnapshot() == before);
    }
}

TEST(GameHistory, CompactionKeepsRecentPositionsAndRoomForASearch) {
    setUpOrFail("4k3/8/8/8/8/8/8/R3K3 w - -");
    // Shuffle a rook and the kings far beyond the history's size, compacting as a game would.
    const char* cycle[] = {"a1a2", "e8d8", "a2a1", "d8e8"};
    for (int i = 0; i < 3 * GAME_HISTORY_SIZE; ++i) {
        makeMove(coordinateMove(cycle[i % 4]), testUndo[0]);
        compactGameHistory();
        ASSERT_LT(historyTop - gameHistory, GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE + 1);
    }
    EXPECT_EQ(historyTop->key(), position.hashKey);
    EXPECT_EQ((historyTop - 4)->key(), position.hashKey);  // the position four plies ago is the same
    EXPECT_GE(historyTop - gameHistory, 100);
    // Making a move relies on every entry from the top up holding no move.
    for (const GameHistoryEntry* e = historyTop; e < gameHistory + GAME_HISTORY_SIZE; ++e)
        ASSERT_EQ(e->move, 0) << "entry " << e - gameHistory;
}
