#include "front/gamemove.h"

#include <cstdlib>

#include "board/attacks.h"
#include "board/makemove.h"
#include "board/zobrist.h"
#include "front/log.h"
#include "search/history.h"

namespace {

struct CastlingWord {
    Square from, to;
    std::uint16_t right;
    MoveKind kind;
    Square rook;
};

inline constexpr CastlingWord CASTLING_WORDS[4] = {
    {SQ_E8, SQ_C8, CASTLE_BLACK_LONG, KIND_CASTLE_BLACK_LONG, SQ_A8},
    {SQ_E8, SQ_G8, CASTLE_BLACK_SHORT, KIND_CASTLE_BLACK_SHORT, SQ_H8},
    {SQ_E1, SQ_C1, CASTLE_WHITE_LONG, KIND_CASTLE_WHITE_LONG, SQ_A1},
    {SQ_E1, SQ_G1, CASTLE_WHITE_SHORT, KIND_CASTLE_WHITE_SHORT, SQ_H1},
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

const CastlingWord& castlingOfKind(MoveKind kind) {
    for (const CastlingWord& c : CASTLING_WORDS)
        if (c.kind == kind) return c;
    return CASTLING_WORDS[0];  // not reached: callers pass castling kinds only
}

Side sideOfCastling(MoveKind kind) {
    return kind == KIND_CASTLE_WHITE_SHORT || kind == KIND_CASTLE_WHITE_LONG ? WHITE : BLACK;
}

bool castlingFits(MoveKind kind) {
    const CastlingWord& c = castlingOfKind(kind);
    const Side s = sideOfCastling(kind);
    if (s != position.sideToMove || !(position.castleRights & c.right)) return false;
    if (position.board[c.from] != kingOf(s) || position.board[c.rook] != rookOf(s)) return false;
    const Square low = c.from < c.rook ? c.from : c.rook, high = c.from < c.rook ? c.rook : c.from;
    for (Square sq = low + 1; sq < high; ++sq)
        if (position.board[sq] != EMPTY) return false;
    return true;
}

bool isCaptureKind(MoveKind kind) {
    return kind == KIND_CAPTURE || kind == KIND_EN_PASSANT || kind >= KIND_CAPTURE_PROMOTE_QUEEN;
}

template <Side S>
bool pawnMoveFits(Square from, Square to, MoveKind kind) {
    constexpr int FORWARD = S == WHITE ? -8 : 8;
    constexpr int START_ROW = S == WHITE ? 6 : 1;
    constexpr int LAST_ROW = S == WHITE ? 0 : 7;
    if ((rowOf(to) == LAST_ROW) != isPromotionKind(kind)) return false;
    if (isCaptureKind(kind)) {
        if (rowOf(to) - rowOf(from) != FORWARD / 8 || std::abs(fileOf(to) - fileOf(from)) != 1) return false;
        if (kind != KIND_EN_PASSANT) return true;
        return position.epSquare != 0 && to == position.epSquare && position.board[to - FORWARD] == pawnOf(S ^ 1);
    }
    if (to == from + FORWARD) return true;
    return kind == KIND_QUIET && rowOf(from) == START_ROW && to == from + 2 * FORWARD &&
           position.board[from + FORWARD] == EMPTY;
}

// The target square must suit the kind: empty for quiet moves, promotions and
// en passant, an enemy piece other than the king for captures.
bool targetFits(Square to, MoveKind kind, Side s) {
    const Piece target = position.board[to];
    if (!isCaptureKind(kind) || kind == KIND_EN_PASSANT) return target == EMPTY;
    return target != EMPTY && sideOfPiece(target) != s && target != kingOf(s ^ 1);
}

// Makes and takes back the move to see whether the mover's king is attacked afterwards.
bool leavesOwnKingAttacked(Move move) {
    const Side s = position.sideToMove;
    PlyRecord& ply = plyRecords[0];
    const Move movePlayedBefore = historyTop->move;
    saveUndoInfo(ply);
    makeMove(move, ply);
    const bool attacked = attackersOf(position, position.kingSquare[s], s ^ 1) != 0;
    unmakeMove(move, ply);
    historyTop->move = movePlayedBefore;
    return attacked;
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
    compactGameHistory();
    refreshRootSnapshot();
    clearHistoryTable();
    logLine("%x %x", keyHigh(position.hashKey), keyLow(position.hashKey));
    return true;
}

bool isSafeGameMove(Move move) {
    const Square from = moveFrom(move), to = moveTo(move);
    const MoveKind kind = moveKind(move);
    const Side s = position.sideToMove;
    if (kind == KIND_NO_MOVE || from == to) return false;
    if (isCastlingKind(kind)) return castlingFits(kind) && !leavesOwnKingAttacked(move);

    const Piece mover = position.board[from];
    if (mover == EMPTY || sideOfPiece(mover) != s || !targetFits(to, kind, s)) return false;
    if (isPawn(mover)) {
        if (!(s == WHITE ? pawnMoveFits<WHITE>(from, to, kind) : pawnMoveFits<BLACK>(from, to, kind))) return false;
    } else if (kind != KIND_QUIET && kind != KIND_CAPTURE) {
        return false;
    }
    return !leavesOwnKingAttacked(move);
}

bool isAcceptableOpponentMove(Move move) { return isSafeGameMove(move); }

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
