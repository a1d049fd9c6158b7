#include "movegen/see.h"

#include <algorithm>

#include "board/pst.h"
#include "movegen/scores.h"

namespace {

// Score of a move to a square the exchange leaves even: just above the quiet moves.
constexpr int SCORE_EVEN_SQUARE = -29985;
// A king capturing a defended piece: far below everything else.
constexpr int SCORE_KING_INTO_DEFENCE = -32767;
// A pawn reaching its last rank gains a queen for itself.
constexpr int PROMOTION_GAIN = 800;
// An exchange counts as lost when it gives up at least this much.
constexpr int LOSS_MARGIN = 50;
// Each piece takes at most one part, so 32 pieces bound the gain list.
constexpr int MAX_GAINS = 33;
// Start codes of the least-valuable-attacker search, by side, after a queen's x-ray.
constexpr int ROOK_START[2] = {BLACK_ROOK, WHITE_ROOK};
constexpr int BISHOP_START[2] = {BLACK_BISHOP, WHITE_BISHOP};

inline int pst(const Position& pos, Piece piece, Square square) { return currentPst(pos, pstKindOf(piece))[square]; }

// Sliders behind `from` on its line through `to` that now see `to`: they leave
// their slider set; the caller adds them to the attackers. Two squares on one
// line share no other line, so the rays' intersection is that line alone; the
// empty-board rays rule out most cases before any attack is looked up.
inline Bitboard diagonalXrays(const Position& pos, Square from, Square to, Bitboard& diagSliders) {
    const Bitboard candidates = BISHOP_RAYS[from] & BISHOP_RAYS[to] & diagSliders;
    if (!candidates) return 0;
    const Bitboard uncovered = candidates & bishopAttacks(pos, from);
    diagSliders &= ~uncovered;
    return uncovered;
}
inline Bitboard straightXrays(const Position& pos, Square from, Square to, Bitboard& orthSliders) {
    const Bitboard candidates = ROOK_RAYS[from] & ROOK_RAYS[to] & orthSliders;
    if (!candidates) return 0;
    const Bitboard uncovered = candidates & rookAttacks(pos, from);
    orthSliders &= ~uncovered;
    return uncovered;
}

inline bool onOneRankOrFile(Square a, Square b) { return rowOf(a) == rowOf(b) || fileOf(a) == fileOf(b); }

// Every piece of both sides that attacks `to`, kings included.
inline Bitboard attackersOfSquare(const Position& pos, Square to, Bitboard orthSliders, Bitboard diagSliders) {
    const Bitboard* b = pos.pieceBoards;
    const Bitboard kings = bitOf(pos.kingSquare[WHITE]) | bitOf(pos.kingSquare[BLACK]);
    Bitboard attackers = (KING_ATTACKS[to] & kings) | (KNIGHT_ATTACKS[to] & (b[WHITE_KNIGHT] | b[BLACK_KNIGHT])) |
                         (PAWN_ATTACKS[BLACK][to] & b[WHITE_PAWN]) | (PAWN_ATTACKS[WHITE][to] & b[BLACK_PAWN]);
    if (BISHOP_RAYS[to] & diagSliders) attackers |= bishopAttacks(pos, to) & diagSliders;
    if (ROOK_RAYS[to] & orthSliders) attackers |= rookAttacks(pos, to) & orthSliders;
    return attackers;
}

inline bool isBishopLike(Piece p) { return isPawn(p) || p == WHITE_BISHOP || p == BLACK_BISHOP; }
inline bool isRook(Piece p) { return p == WHITE_ROOK || p == BLACK_ROOK; }
inline bool isQueen(Piece p) { return p == WHITE_QUEEN || p == BLACK_QUEEN; }

// The state of one exchange on `to`.
struct Exchange {
    const Position& pos;
    Square to;
    Bitboard attackers;
    Bitboard orthSliders, diagSliders;
    int start[2];  // [side]: piece code where the search for the next attacker begins

    // Sliders uncovered behind a piece that left `square`. A queen looks only along
    // the line it captured on: the rays of its other kind would cross that line at
    // squares that stand nowhere behind it. lowerStarts lets an uncovered rook or
    // bishop be found even after the queens' turn has come.
    void addXrays(Piece piece, Square square, bool lowerStarts) {
        if (isBishopLike(piece)) {
            attackers |= diagonalXrays(pos, square, to, diagSliders);
        } else if (isRook(piece)) {
            attackers |= straightXrays(pos, square, to, orthSliders);
        } else if (isQueen(piece)) {
            const bool straight = onOneRankOrFile(square, to);
            const Bitboard uncovered =
                straight ? straightXrays(pos, square, to, orthSliders) : diagonalXrays(pos, square, to, diagSliders);
            attackers |= uncovered;
            if (uncovered && lowerStarts) lowerStartsTo(straight ? ROOK_START : BISHOP_START);
        }
    }

    void lowerStartsTo(const int codes[2]) {
        for (Side s : {BLACK, WHITE}) start[s] = std::min(start[s], codes[s]);
    }

    // Least valuable attacker of side s, taken out of the attackers; EMPTY when s
    // has none left (its king only captures when nothing else attacks any more).
    Piece takeLeastValuable(Side s, Square& square) {
        for (int code = start[s]; code <= BLACK_QUEEN - s; code += 2) {
            const Bitboard set = pos.pieceBoards[code] & attackers;
            if (!set) continue;
            square = lowestSquare(set);
            attackers ^= bitOf(square);
            start[s] = code;
            return static_cast<Piece>(code);
        }
        const Bitboard king = bitOf(pos.kingSquare[s]);
        if (!(attackers & king)) return EMPTY;
        attackers ^= king;
        if (attackers) return EMPTY;
        square = pos.kingSquare[s];
        start[s] = kingOf(s);
        return kingOf(s);
    }
};

// The capture's score when the side to move keeps `gain`.
inline int winningScore(const Position& pos, int positional, Piece victim, Square to, int firstGain, int gain) {
    if (firstGain == 0) return positional + SCORE_EVEN_SQUARE;
    return positional + (victim != EMPTY ? pst(pos, victim, to) : 0) + gain + SCORE_CAPTURE_BAND;
}

}  // namespace

std::int16_t staticExchange(const Position& pos, Piece piece, Square from, Square to, Bitboard orthSliders, Bitboard diagSliders) {
    const Piece victim = pos.board[to];
    const Side toMove = pos.sideToMove, waiting = toMove ^ 1;
    const Side moverSide = sideOfPiece(piece);
    int gain[MAX_GAINS];
    gain[0] = PIECE_VALUE[victim];
    int positional = -pst(pos, piece, from);

    // The mover leaves the slider sets for good: it never returns as an x-ray.
    orthSliders &= ~bitOf(from);
    diagSliders &= ~bitOf(from);
    Exchange ex{pos, to, attackersOfSquare(pos, to, orthSliders, diagSliders) & ~bitOf(from), orthSliders, diagSliders, {}};
    const bool pawnsTakePart = (ex.attackers & (pos.pieceBoards[WHITE_PAWN] | pos.pieceBoards[BLACK_PAWN])) != 0;
    ex.start[WHITE] = pawnsTakePart ? WHITE_PAWN : WHITE_KNIGHT;
    ex.start[BLACK] = pawnsTakePart ? BLACK_PAWN : BLACK_KNIGHT;

    Piece occupant = piece;
    const Bitboard lastRank = moverSide == WHITE ? rankMask(0) : rankMask(7);
    if (isPawn(piece) && (lastRank & bitOf(to))) {
        gain[0] += PROMOTION_GAIN;
        occupant = queenOf(moverSide);
    }
    if (piece == kingOf(moverSide)) {
        if (ex.attackers & pos.sidePieces(moverSide ^ 1)) return SCORE_KING_INTO_DEFENCE;
    } else {
        ex.addXrays(piece, from, false);
    }
    positional += pst(pos, occupant, to);

    const int firstGain = gain[0];
    if (!(ex.attackers & pos.sidePieces(waiting)))
        return static_cast<std::int16_t>(winningScore(pos, positional, victim, to, firstGain, firstGain));

    ex.orthSliders &= ~ex.attackers;
    ex.diagSliders &= ~ex.attackers;
    int d = 1;
    Side s = waiting;
    for (;;) {
        Square square = 0;
        const Piece capturer = ex.takeLeastValuable(s, square);
        if (capturer == EMPTY) break;
        gain[d] = PIECE_VALUE[occupant] - gain[d - 1];
        // The capturing side is so far ahead that it takes whatever follows.
        if (gain[d] - PIECE_VALUE[capturer] > LOSS_MARGIN) {
            if (s == toMove) return static_cast<std::int16_t>(winningScore(pos, positional, victim, to, firstGain, gain[d - 2]));
            return static_cast<std::int16_t>(PIECE_VALUE[capturer] / 2 - gain[d] + SCORE_QUIET + positional);
        }
        ex.addXrays(capturer, square, true);
        occupant = capturer;
        s ^= 1;
        ++d;
        if (!(ex.attackers & pos.sidePieces(s))) break;
    }

    for (int i = d - 1; i > 0; --i) gain[i - 1] = std::min(gain[i - 1], -gain[i]);
    if (gain[0] <= -LOSS_MARGIN) return static_cast<std::int16_t>(positional + gain[0] + SCORE_QUIET);
    return static_cast<std::int16_t>(winningScore(pos, positional, victim, to, gain[0], gain[0]));
}
