#include "movegen/notation.h"

#include <cstring>

#include "board/makemove.h"
#include "movegen/check.h"

namespace {

// Deleted from a SAN word before it is read.
constexpr const char* SAN_STRIP_CHARS = "x+#!?=-";
// Only this many characters of a SAN word are read.
constexpr int SAN_MAX_CHARS = 9;
constexpr Bitboard ALL_SQUARES = ~Bitboard{0};
constexpr Square NOT_A_SQUARE = -1;

inline bool isFileLetter(char c) { return c >= 'a' && c <= 'h'; }
inline bool isRankDigit(char c) { return c >= '1' && c <= '8'; }

// Square named by a file letter and a rank digit, NOT_A_SQUARE for anything else.
inline Square squareAt(const char* text) {
    if (!isFileLetter(text[0]) || !isRankDigit(text[1])) return NOT_A_SQUARE;
    return (text[0] - 'a') + 8 * ('8' - text[1]);
}

inline bool onBoard(Square s) { return s >= 0 && s < 64; }

// Index 0..3 of a promotion letter (queen, knight, rook, bishop), -1 for others.
inline int promotionIndex(char letter) {
    switch (letter) {
        case 'Q': case 'q': return 0;
        case 'N': case 'n': return 1;
        case 'R': case 'r': return 2;
        case 'B': case 'b': return 3;
        default: return -1;
    }
}

inline Move withKind(Square from, Square to, Move kindBits) { return static_cast<Move>(kindBits | (from << 6) | to); }

// Castling named by its side only ("OO"/"OOO"), if the side to move still has the right.
Move castlingByName(Position& pos, bool longSide) {
    const bool white = pos.sideToMove == WHITE;
    const std::uint16_t right = white ? (longSide ? CASTLE_WHITE_LONG : CASTLE_WHITE_SHORT)
                                      : (longSide ? CASTLE_BLACK_LONG : CASTLE_BLACK_SHORT);
    if (!(pos.castleRights & right)) return 0;
    const Square from = white ? SQ_E1 : SQ_E8;
    const Square to = longSide ? from - 2 : from + 2;
    const MoveKind kind = white ? (longSide ? KIND_CASTLE_WHITE_LONG : KIND_CASTLE_WHITE_SHORT)
                                : (longSide ? KIND_CASTLE_BLACK_LONG : KIND_CASTLE_BLACK_SHORT);
    return makeMoveCode(from, to, kind);
}

// A pawn step to the named square: from one square back, or two if no pawn stands there.
Move pawnStep(Position& pos, const char* text) {
    const Square to = squareAt(text);
    if (to == NOT_A_SQUARE) return 0;
    const int back = pos.sideToMove == WHITE ? 8 : -8;
    Square from = to + back;
    if (!onBoard(from)) return 0;
    if (!isPawn(pos.board[from])) from += back;
    if (!onBoard(from)) return 0;
    return makeMoveCode(from, to, KIND_QUIET);
}

// A promotion step such as e8Q.
Move promotionStep(Position& pos, const char* text) {
    const Square to = squareAt(text);
    if (to == NOT_A_SQUARE) return 0;
    const Square from = to + (pos.sideToMove == WHITE ? 8 : -8);
    if (!onBoard(from)) return 0;
    return withKind(from, to, quietPromotionKind(text[2]));
}

// A pawn capture with promotion, such as ed8Q (from exd8=Q).
Move promotionCapture(Position& pos, const char* text) {
    const Square to = squareAt(text + 1);
    if (to == NOT_A_SQUARE) return 0;
    const bool white = pos.sideToMove == WHITE;
    const bool towardH = text[0] < text[1];
    const Square from = towardH ? to + (white ? 7 : -9) : to + (white ? 9 : -7);
    if (!onBoard(from)) return 0;
    const Move kind = pos.board[to] != EMPTY ? capturePromotionKind(text[3]) : quietPromotionKind(text[3]);
    return withKind(from, to, kind);
}

// A piece move with a file or rank to tell two pieces apart, such as Nbd2 or R1e1.
Move disambiguatedMove(Position& pos, const char* text) {
    const Square to = squareAt(text + 2);
    if (to == NOT_A_SQUARE) return 0;
    if (isFileLetter(text[1])) return resolvePieceMove(pos, text, to, fileMask(text[1] - 'a'));
    if (isRankDigit(text[1])) return resolvePieceMove(pos, text, to, rankMask('8' - text[1]));
    return 0;
}

// Pieces of the side to move that could go to `to` by the letter, within fromMask.
Bitboard candidatesFor(Position& pos, char letter, Square to, Bitboard fromMask) {
    const Side s = pos.sideToMove;
    const Bitboard* boards = pos.pieceBoards;
    switch (letter) {
        case 'N': return KNIGHT_ATTACKS[to] & boards[knightOf(s)] & fromMask;
        case 'B': return bishopAttacks(pos, to) & boards[bishopOf(s)] & fromMask;
        case 'R': return rookAttacks(pos, to) & boards[rookOf(s)] & fromMask;
        case 'Q': return queenAttacks(pos, to) & boards[queenOf(s)] & fromMask;
        case 'K': return bitOf(pos.kingSquare[s]);
        default:
            // A pawn of that file diagonally behind `to`, by the attack table so nothing wraps.
            if (!isFileLetter(letter)) return 0;
            return PAWN_ATTACKS[s ^ 1][to] & boards[pawnOf(s)] & fileMask(letter - 'a') & fromMask;
    }
}

// Whether the move may be played: it fits the position and leaves the king safe.
bool playsLegally(Position& pos, Move move) {
    if (!isPseudoLegal(pos, move)) return false;
    const Side s = pos.sideToMove;
    UndoRecord undo;
    saveUndoInfo(pos, undo);
    makeMove(pos, move, undo);
    const bool legal = !leavesKingAttacked(pos, move, s);
    unmakeMove(pos, move, undo);
    return legal;
}

}  // namespace

char* moveToText(char* buffer, Move move) {
    static constexpr const char* CASTLING_TEXT[4] = {"e8g8", "e1g1", "e8c8", "e1c1"};
    const MoveKind kind = moveKind(move);
    if (isCastlingKind(kind)) {
        std::memcpy(buffer, CASTLING_TEXT[kind - KIND_CASTLE_BLACK_SHORT], 5);
        return buffer + 4;
    }
    char* out = buffer;
    const Square from = moveFrom(move), to = moveTo(move);
    *out++ = fileChar(from);
    *out++ = rankChar(from);
    *out++ = fileChar(to);
    *out++ = rankChar(to);
    if (isPromotionKind(kind)) *out++ = "qnrb"[(kind - KIND_PROMOTE_QUEEN) & 3];
    *out = '\0';
    return out;
}

Move quietPromotionKind(char letter) {
    const int index = promotionIndex(letter);
    return index < 0 ? 0 : static_cast<Move>((KIND_PROMOTE_QUEEN + index) << 12);
}

Move capturePromotionKind(char letter) {
    const int index = promotionIndex(letter);
    return index < 0 ? 0 : static_cast<Move>((KIND_CAPTURE_PROMOTE_QUEEN + index) << 12);
}

Move parseSan(Position& pos, const char* word) {
    char text[SAN_MAX_CHARS + 1];
    int n = 0;
    for (int i = 0; i < SAN_MAX_CHARS && word[i]; ++i)
        if (!std::strchr(SAN_STRIP_CHARS, word[i])) text[n++] = word[i];
    text[n] = '\0';

    switch (n) {
        case 2:
            if (!std::strcmp(text, "OO") || !std::strcmp(text, "00")) return castlingByName(pos, false);
            return pawnStep(pos, text);
        case 3: {
            if (!std::strcmp(text, "OOO") || !std::strcmp(text, "000")) return castlingByName(pos, true);
            if (promotionIndex(text[2]) >= 0) return promotionStep(pos, text);
            const Square to = squareAt(text + 1);
            return to == NOT_A_SQUARE ? 0 : resolvePieceMove(pos, text, to, ALL_SQUARES);
        }
        case 4: {
            if (promotionIndex(text[3]) >= 0) return promotionCapture(pos, text);
            if (const Move m = parseSquarePair(pos, text)) return m;
            return disambiguatedMove(pos, text);
        }
        case 5: {
            if (const Move m = parseSquarePair(pos, text + 1)) return m;
            return parseSquarePair(pos, text);
        }
        default: return 0;
    }
}

Move decodeSquarePair(const char* text, const SquarePairBoard& on) {
    const Square from = squareAt(text);
    if (from == NOT_A_SQUARE) return 0;
    const Square to = squareAt(text + 2);
    if (to == NOT_A_SQUARE) return 0;
    const std::uint16_t rights = on.castleRights;
    if (rights) {
        if (from == SQ_E8 && (rights & (CASTLE_BLACK_SHORT | CASTLE_BLACK_LONG))) {
            if (to == SQ_C8 && (rights & CASTLE_BLACK_LONG)) return makeMoveCode(from, to, KIND_CASTLE_BLACK_LONG);
            if (to == SQ_G8 && (rights & CASTLE_BLACK_SHORT)) return makeMoveCode(from, to, KIND_CASTLE_BLACK_SHORT);
        }
        if (from == SQ_E1 && (rights & (CASTLE_WHITE_SHORT | CASTLE_WHITE_LONG))) {
            if (to == SQ_C1 && (rights & CASTLE_WHITE_LONG)) return makeMoveCode(from, to, KIND_CASTLE_WHITE_LONG);
            if (to == SQ_G1 && (rights & CASTLE_WHITE_SHORT)) return makeMoveCode(from, to, KIND_CASTLE_WHITE_SHORT);
        }
    }
    const bool capture = on.board[to] != EMPTY;
    const Piece mover = on.board[from];
    if (mover == EMPTY || isPawn(mover)) {
        if (text[4]) {
            const Move kind = capture ? capturePromotionKind(text[4]) : quietPromotionKind(text[4]);
            if (kind) return withKind(from, to, kind);
        } else if (on.epSquare && to == on.epSquare) {
            return makeMoveCode(from, to, KIND_EN_PASSANT);
        }
    }
    return makeMoveCode(from, to, capture ? KIND_CAPTURE : KIND_QUIET);
}

Move parseSquarePair(Position& pos, const char* text) {
    return decodeSquarePair(text, {pos.board, pos.castleRights, pos.epSquare});
}

Move resolvePieceMove(Position& pos, const char* text, Square to, Bitboard fromMask) {
    const char letter = text[0];
    const bool capture = pos.board[to] != EMPTY;
    MoveKind kind = capture ? KIND_CAPTURE : KIND_QUIET;
    if (isFileLetter(letter) && !capture) kind = KIND_EN_PASSANT;  // a pawn taking onto an empty square
    Bitboard candidates = candidatesFor(pos, letter, to, fromMask);
    if (!candidates) return 0;
    if (!moreThanOne(candidates)) return makeMoveCode(lowestSquare(candidates), to, kind);
    Move found = 0;
    while (candidates) {
        const Move move = makeMoveCode(popLowestSquare(candidates), to, kind);
        if (!playsLegally(pos, move)) continue;
        if (found) return 0;  // two legal candidates: the text is ambiguous
        found = move;
    }
    return found;
}
