#include "front/gamemove.h"

#include "board/attacks.h"
#include "board/makemove.h"
#include "board/validate.h"
#include "board/zobrist.h"
#include "front/log.h"
#include "movegen/legal.h"
#include "search/history.h"

namespace {

struct CastlingWord {
    Square from, to;
    std::uint16_t right;
    MoveKind kind;
};

inline constexpr CastlingWord CASTLING_WORDS[4] = {
    {SQ_E8, SQ_C8, CASTLE_BLACK_LONG, KIND_CASTLE_BLACK_LONG},
    {SQ_E8, SQ_G8, CASTLE_BLACK_SHORT, KIND_CASTLE_BLACK_SHORT},
    {SQ_E1, SQ_C1, CASTLE_WHITE_LONG, KIND_CASTLE_WHITE_LONG},
    {SQ_E1, SQ_G1, CASTLE_WHITE_SHORT, KIND_CASTLE_WHITE_SHORT},
};

bool isFileLetter(char c) { return c >= 'a' && c <= 'h'; }
bool isRankDigit(char c) { return c >= '1' && c <= '8'; }
Square squareOf(const char* text) { return (text[0] - 'a') + 8 * ('8' - text[1]); }

MoveKind promotionKind(char letter) {
    switch (letter) {
        case 'q': case 'Q': return KIND_PROMOTE_QUEEN;
        case 'n': case 'N': return KIND_PROMOTE_KNIGHT;
        case 'r': case 'R': return KIND_PROMOTE_ROOK;
        case 'b': case 'B': return KIND_PROMOTE_BISHOP;
        default: return KIND_QUIET;
    }
}

// The castling kind a king step from e1/e8 stands for under the root rights, or 0.
MoveKind castlingKind(Square from, Square to) {
    const std::uint16_t rights = rootSnapshot.rootCastleRights;
    for (const CastlingWord& c : CASTLING_WORDS)
        if (from == c.from && to == c.to && (rights & c.right)) return c.kind;
    return 0;
}

}  // namespace

Move parseCoordinateMove(const char* word) {
    if (!isFileLetter(word[0]) || !isRankDigit(word[1]) || !isFileLetter(word[2]) || !isRankDigit(word[3])) return 0;
    const Square from = squareOf(word), to = squareOf(word + 2);
    if (from == to) return 0;  // never a move, whatever stands there
    if (const MoveKind castling = castlingKind(from, to)) return makeMoveCode(from, to, castling);

    const bool targetOccupied = rootSnapshot.rootBoard[to] != EMPTY;
    if (rootSnapshot.rootBoard[from] <= BLACK_PAWN) {  // a pawn, or nothing at all
        if (const MoveKind promotion = word[4] ? promotionKind(word[4]) : KIND_QUIET)
            return makeMoveCode(from, to, targetOccupied ? promotion + 4 : promotion);
        if (!word[4] && rootSnapshot.rootEpSquare && rootSnapshot.rootEpSquare == to)
            return makeMoveCode(from, to, KIND_EN_PASSANT);
    }
    return makeMoveCode(from, to, targetOccupied ? KIND_CAPTURE : KIND_QUIET);
}

bool applyGameMove(Move move) {
    if (move == 0 || moveKind(move) == KIND_NO_MOVE) return false;
    // Game moves are never taken back, so no undo information is saved.
    makeMove(move, plyRecords[0]);
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
        const HashKey key = epKey(position.epSquare);
        position.hashKey ^= key;
        position.pawnKey ^= keyLow(key);
        position.epSquare = 0;
        historyTop->setKey(position.hashKey);
    }
    position.sideToMove = side;
    refreshRootSnapshot();
    return true;
}
