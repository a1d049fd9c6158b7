// Make and unmake against real games and lines whose FENs were computed elsewhere.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "board/validate.h"
#include "board/zobrist.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

Square sq(const char* n) { return (n[0] - 'a') + 8 * ('8' - n[1]); }

// Plays the moves one undo record each, checking the position from scratch and
// against the expected FENs; then unmakes them all, checking each snapshot.
void playAndTakeBack(const std::string& name, const std::vector<std::string>& moves,
                     const std::vector<std::string>& fensAfter) {
    ASSERT_LE(moves.size(), static_cast<std::size_t>(TEST_UNDO_RECORDS)) << name;
    std::vector<PositionSnapshot> before;
    std::vector<Move> made;
    for (std::size_t i = 0; i < moves.size(); ++i) {
        before.push_back(takeSnapshot());
        const Move move = coordinateMove(moves[i]);
        saveUndoInfo(testUndo[i]);
        makeMove(move, testUndo[i]);
        made.push_back(move);
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

TEST(MakeUnmake, RealGamesMatchTheirKnownPositions) {
    const std::vector<RecordedGame> games = loadRecordedGames();
    ASSERT_GE(games.size(), 6u);
    for (const RecordedGame& game : games) {
        setUpOrFail(game.fens[0].c_str());
        playAndTakeBack(game.name, game.moves, std::vector<std::string>(game.fens.begin() + 1, game.fens.end()));
    }
}

TEST(MakeUnmake, LinesCoveringEveryKindOfMove) {
    std::set<MoveKind> kinds;
    for (const RecordedLine& line : loadRecordedLines()) {
        setUpOrFail(line.start.c_str());
        for (std::size_t i = 0; i < line.moves.size(); ++i) {  // record the kinds the lines exercise
            const Move move = coordinateMove(line.moves[i]);
            kinds.insert(moveKind(move));
            saveUndoInfo(testUndo[0]);
            makeMove(move, testUndo[0]);
        }
        setUpOrFail(line.start.c_str());
        playAndTakeBack(line.name, line.moves, line.fens);
    }
    for (MoveKind k = 0; k < 16; ++k)
        EXPECT_TRUE(k == KIND_NO_MOVE || kinds.count(k)) << "no line exercises move kind " << k;
}

TEST(MakeUnmake, DoubleStepSetsTheEnPassantKey) {
    setUpOrFail(START_FEN);
    saveUndoInfo(testUndo[0]);
    makeMove(coordinateMove("e2e4"), testUndo[0]);
    EXPECT_EQ(position.epSquare, 44);
    EXPECT_EQ(position.hashKey, INITIAL_POSITION_KEY ^ ZOBRIST[1][52] ^ ZOBRIST[1][36] ^ ZOBRIST[0][44]);
    EXPECT_EQ(historyTop - gameHistory, 1);
    EXPECT_EQ(historyTop->reversibleCount, 0);
    EXPECT_EQ(gameHistory[0].move, makeMoveCode(sq("e2"), sq("e4"), KIND_QUIET));
    // A knight move clears the square and its key again; the count grows.
    saveUndoInfo(testUndo[1]);
    makeMove(coordinateMove("g8f6"), testUndo[1]);
    EXPECT_EQ(position.epSquare, 0);
    EXPECT_EQ(position.hashKey,
              INITIAL_POSITION_KEY ^ ZOBRIST[1][52] ^ ZOBRIST[1][36] ^ ZOBRIST[4][6] ^ ZOBRIST[4][21]);
    EXPECT_EQ(historyTop->reversibleCount, 1);
}

TEST(MakeUnmake, CastlingMovesKingAndRookAndDropsBothRights) {
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    const PositionSnapshot before = takeSnapshot();
    saveUndoInfo(testUndo[0]);
    const Move castle = makeMoveCode(SQ_E1, SQ_G1, KIND_CASTLE_WHITE_SHORT);
    makeMove(castle, testUndo[0]);
    EXPECT_EQ(position.castleRights, CASTLE_BLACK);
    EXPECT_EQ(position.kingSquare[WHITE], SQ_G1);
    EXPECT_EQ(position.board[SQ_F1], WHITE_ROOK);
    EXPECT_EQ(historyTop->reversibleCount, 0);
    EXPECT_EQ(validatePosition(), "");
    unmakeMove(castle, testUndo[0]);
    EXPECT_EQ(position.castleRights, 27);
    EXPECT_EQ(position.kingSquare[WHITE], SQ_E1);
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(MakeUnmake, CapturePromotionCounters) {
    setUpOrFail("1r2k3/P7/8/8/8/8/8/4K3 w - -");  // a7xb8=N taking a rook
    saveUndoInfo(testUndo[0]);
    const Move move = makeMoveCode(sq("a7"), sq("b8"), KIND_CAPTURE_PROMOTE_KNIGHT);
    makeMove(move, testUndo[0]);
    EXPECT_EQ(position.pieceMaterial[WHITE], 3);
    EXPECT_EQ(position.pieceMaterial[BLACK], 0);
    EXPECT_EQ(position.pawnCount[WHITE], 0);
    EXPECT_EQ(position.totalMaterial, 3);  // 1 + 5 before; +2 for the knight, -5 for the rook
    EXPECT_EQ(testUndo[0].materialDelta, -3);
    EXPECT_EQ(testUndo[0].capturedPiece, BLACK_ROOK);
    EXPECT_EQ(validatePosition(), "");
}

TEST(MakeUnmake, KingMoveDropsRightsForGood) {
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    saveUndoInfo(testUndo[0]);
    makeMove(coordinateMove("e8d8"), testUndo[0]);
    saveUndoInfo(testUndo[1]);
    makeMove(coordinateMove("a1b1"), testUndo[1]);
    saveUndoInfo(testUndo[2]);
    makeMove(coordinateMove("d8e8"), testUndo[2]);
    EXPECT_EQ(position.castleRights, CASTLE_WHITE_SHORT);
    EXPECT_EQ(position.hashKey, ZOBRIST[BLACK_KING][SQ_E8] ^ ZOBRIST[BLACK_ROOK][SQ_A8] ^ ZOBRIST[BLACK_ROOK][SQ_H8] ^
                                    ZOBRIST[WHITE_KING][SQ_E1] ^ ZOBRIST[WHITE_ROOK][SQ_B1] ^
                                    ZOBRIST[WHITE_ROOK][SQ_H1] ^ castleKey(CASTLE_BLACK_SHORT) ^
                                    castleKey(CASTLE_BLACK_LONG) ^ castleKey(CASTLE_WHITE_LONG));
}

TEST(MakeUnmake, KindThreeIsRefusedWithoutTouchingThePosition) {
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
