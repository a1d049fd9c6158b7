#include "game/gamemove.h"

#include "base/log.h"
#include "board/attacks.h"
#include "board/makemove.h"
#include "board/validate.h"
#include "game/rootsnapshot.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/history.h"

namespace {

// What make notes of a game move (nothing reads it yet).
UndoRecord gameMoveUndo;

Move predictedReply = 0;
UndoRecord predictedReplyUndo;

}  // namespace

Move parseCoordinateMove(const char* word) {
    const Move move = decodeSquarePair(
        word, {rootSnapshot.rootBoard, rootSnapshot.rootCastleRights, rootSnapshot.rootEpSquare});
    // A word naming one square twice is never a move, whatever stands there.
    return moveFrom(move) == moveTo(move) ? 0 : move;
}

bool applyGameMove(Move move) {
    if (move == 0 || moveKind(move) == KIND_NO_MOVE) return false;
    // Game moves are never taken back, so no undo information is saved.
    makeMove(move, gameMoveUndo);
    ZORVAK_ASSERT_VALID();
    compactGameHistory();
    refreshRootSnapshot();
    clearHistoryTable();
    logLine("%x %x", keyHigh(position.hashKey), keyLow(position.hashKey));
    return true;
}

bool isAcceptableOpponentMove(Move move) { return isLegalMove(move); }

bool setSideToMove(Side side) {
    if (position.sideToMove == side) return true;
    if (attackersOf(position, position.kingSquare[side ^ 1], side) != 0) return false;
    if (position.epSquare) {
        clearEnPassantSquare();
        historyTop->setKey(position.hashKey);
    }
    position.sideToMove = side;
    refreshRootSnapshot();
    return true;
}

Move ponderMove() { return predictedReply; }

void makePonderMove(Move reply) {
    saveUndoInfo(predictedReplyUndo);
    makeMove(reply, predictedReplyUndo);
    predictedReply = reply;
}

void takeBackPonderMove() {
    if (!predictedReply) return;
    unmakeMove(predictedReply, predictedReplyUndo);
    predictedReply = 0;
}

void keepPonderMove() { predictedReply = 0; }
