#include "game/gamemove.h"

#include <cstring>

#include "game/gameposition.h"
#include "base/log.h"
#include "board/attacks.h"
#include "board/makemove.h"
#include "board/validate.h"
#include "game/rootsnapshot.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/searchthread.h"
#include "search/tt.h"

std::atomic<std::uint8_t> lastMoveFromBook{0};

namespace {

constexpr std::size_t MOVE_WORD_MIN = 4;  // e2e4
constexpr std::size_t MOVE_WORD_MAX = 5;  // e7e8q

// A game move as it was made: enough to take it back exactly.
struct GameMoveRecord {
    Move move;
    Side mover;
    std::uint8_t bookFlagBefore;
    UndoRecord undo;
};

// The newest game moves, a ring: older ones are overwritten, and none can be taken
// back past the history anyway. Records of an earlier game stay until overwritten:
// a record is used only while the game history shows its move as the one made.
inline constexpr int GAME_MOVE_RECORDS = GAME_HISTORY_SIZE;
GameMoveRecord records[GAME_MOVE_RECORDS];
int newestRecord = 0;   // index of the newest record
int recordCount = 0;    // records held, at most GAME_MOVE_RECORDS

Move predictedReply = 0;
Side predictedReplyMover = WHITE;
HashKey predictedReplyKey = 0;
std::uint8_t predictedReplyBookFlag = 0;
UndoRecord predictedReplyUndo;

GameMoveRecord& pushRecord(Move move, Side mover) {
    newestRecord = (newestRecord + 1) % GAME_MOVE_RECORDS;
    if (recordCount < GAME_MOVE_RECORDS) ++recordCount;
    GameMoveRecord& record = records[newestRecord];
    record.move = move;
    record.mover = mover;
    record.bookFlagBefore = lastMoveFromBook;
    return record;
}

const GameMoveRecord& recordBack(int back) {
    return records[(newestRecord - back + GAME_MOVE_RECORDS) % GAME_MOVE_RECORDS];
}

void logKey(HashKey key) { logLine("%x %x", keyHigh(key), keyLow(key)); }

// Whether the newest count records are the last count moves of the game history,
// made by alternating sides up to the side to move now.
bool recordsMatchHistory(int count) {
    if (count > recordCount || count > gamePosition.historyTop - gamePosition.history) return false;
    Side mover = gamePosition.sideToMove ^ 1;
    for (int back = 0; back < count; ++back, mover ^= 1) {
        const GameMoveRecord& record = recordBack(back);
        const GameHistoryEntry& before = gamePosition.historyTop[-1 - back];
        if (record.mover != mover || record.move != before.move || record.undo.savedHashKey != before.key())
            return false;
    }
    return true;
}

}  // namespace

Move parseCoordinateMove(const char* word) {
    const Move move = decodeSquarePair(
        word, {rootSnapshot.rootBoard, rootSnapshot.rootCastleRights, rootSnapshot.rootEpSquare});
    // A word naming one square twice is never a move, whatever stands there.
    return moveFrom(move) == moveTo(move) ? 0 : move;
}

bool applyGameMove(Move move) {
    if (move == 0 || moveKind(move) == KIND_NO_MOVE) return false;
    GameMoveRecord& record = pushRecord(move, gamePosition.sideToMove);
    saveUndoInfo(gamePosition, record.undo);
    makeMove(gamePosition, move, record.undo);
    ZORVAK_ASSERT_VALID(gamePosition);
    compactGameHistory(gamePosition);
    refreshRootSnapshot();
    clearHistoryCounters();
    logKey(gamePosition.hashKey);
    return true;
}

bool takeBackGameMoves(int count) {
    if (count < 1 || !recordsMatchHistory(count)) return false;
    for (int i = 0; i < count; ++i) {
        const GameMoveRecord& record = recordBack(0);
        UndoRecord undo = record.undo;
        unmakeMove(gamePosition, record.move, undo);
        lastMoveFromBook = record.bookFlagBefore;
        newestRecord = (newestRecord - 1 + GAME_MOVE_RECORDS) % GAME_MOVE_RECORDS;
        --recordCount;
    }
    ZORVAK_ASSERT_VALID(gamePosition);
    refreshRootSnapshot();
    clearHistoryCounters();
    logKey(gamePosition.hashKey);
    return true;
}

bool isAcceptableOpponentMove(Move move) { return isLegalMove(gamePosition, move); }

Move legalGameMove(const char* word) {
    const std::size_t length = std::strlen(word);
    if (length < MOVE_WORD_MIN || length > MOVE_WORD_MAX) return 0;
    const Move move = parseCoordinateMove(word);
    // A fifth letter is a promotion's piece, never more text after another move.
    if (length == MOVE_WORD_MAX && !isPromotionKind(moveKind(move))) return 0;
    return isAcceptableOpponentMove(move) ? move : 0;
}

bool setSideToMove(Side side) {
    if (gamePosition.sideToMove == side) return true;
    if (attackersOf(gamePosition, gamePosition.kingSquare[side ^ 1], side) != 0) return false;
    if (gamePosition.epSquare) {
        clearEnPassantSquare(gamePosition);
        gamePosition.historyTop->setKey(gamePosition.hashKey);
    }
    gamePosition.sideToMove = side;
    refreshRootSnapshot();
    return true;
}

Move ponderMove() { return predictedReply; }

void makePonderMove(Move reply) {
    predictedReplyMover = gamePosition.sideToMove;
    predictedReplyBookFlag = lastMoveFromBook;
    saveUndoInfo(gamePosition, predictedReplyUndo);
    makeMove(gamePosition, reply, predictedReplyUndo);
    predictedReplyKey = gamePosition.hashKey;
    predictedReply = reply;
}

void takeBackPonderMove() {
    if (!predictedReply) return;
    unmakeMove(gamePosition, predictedReply, predictedReplyUndo);
    predictedReply = 0;
}

// The search goes on over the position, so nothing of it is read here: the record
// is the one the reply was made with, and its key was noted then.
void keepPonderMove() {
    if (!predictedReply) return;
    GameMoveRecord& record = pushRecord(predictedReply, predictedReplyMover);
    record.bookFlagBefore = predictedReplyBookFlag;
    record.undo = predictedReplyUndo;
    logKey(predictedReplyKey);
    predictedReply = 0;
}

Move predictedReplyTo(Move move) {
    UndoRecord undo;
    saveUndoInfo(gamePosition, undo);
    makeMove(gamePosition, move, undo);
    // A verdict code, or a move the table holds for a colliding key, is no reply.
    const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
    const Move reply = entry && isLegalMove(gamePosition, entryMove(*entry)) ? entryMove(*entry) : 0;
    unmakeMove(gamePosition, move, undo);
    return reply;
}
