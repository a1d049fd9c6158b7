#include "movegen/check.h"

#include <initializer_list>

namespace {

inline Bitboard rooksAndQueens(const Position& pos, Side s) {
    return pos.pieceBoards[rookOf(s)] | pos.pieceBoards[queenOf(s)];
}
inline Bitboard bishopsAndQueens(const Position& pos, Side s) {
    return pos.pieceBoards[bishopOf(s)] | pos.pieceBoards[queenOf(s)];
}

inline bool kingOn(const Position& pos, Side s, Bitboard squares) { return (bitOf(pos.kingSquare[s]) & squares) != 0; }

constexpr Bitboard squaresOf(std::initializer_list<Square> list) {
    Bitboard b = 0;
    for (Square s : list) b |= bitOf(s);
    return b;
}

// The squares a castling king starts on and crosses, and where the other king
// would stand next to its path.
struct CastlingPath {
    Square home, shortCrossing, longCrossing;
    MoveKind shortKind, longKind;
    Bitboard shortKingZone, longKingZone;
};

constexpr CastlingPath CASTLING_PATH[2] = {
    {SQ_E8, SQ_F8, SQ_D8, KIND_CASTLE_BLACK_SHORT, KIND_CASTLE_BLACK_LONG,
     squaresOf({SQ_E8, SQ_F8, SQ_G8, SQ_H8, 12, 13, 14, 15}), squaresOf({SQ_B8, SQ_C8, SQ_D8, 9, 10, 11})},
    {SQ_E1, SQ_F1, SQ_D1, KIND_CASTLE_WHITE_SHORT, KIND_CASTLE_WHITE_LONG,
     squaresOf({SQ_E1, SQ_F1, SQ_G1, SQ_H1, 52, 53, 54, 55}), squaresOf({SQ_B1, SQ_C1, SQ_D1, 49, 50, 51})},
};

// The king's destination is tested by leavesKingAttacked itself; b1/b8 may be attacked.
template <Side S>
bool castlingCrossesAttack(const Position& pos, Move move) {
    constexpr CastlingPath path = CASTLING_PATH[S];
    constexpr Side enemy = S ^ 1;
    if (squareAttackedBy(pos, path.home, enemy)) return true;
    if (moveKind(move) == path.shortKind)
        return squareAttackedBy(pos, path.shortCrossing, enemy) || kingOn(pos, enemy, path.shortKingZone);
    if (moveKind(move) == path.longKind)
        return squareAttackedBy(pos, path.longCrossing, enemy) || kingOn(pos, enemy, path.longKingZone);
    return false;
}

}  // namespace

void computeCheckInfo(const Position& pos, CheckInfo& check) {
    const Side s = pos.sideToMove, a = s ^ 1;
    const Square k = pos.kingSquare[s];
    const Bitboard orth = rooksAndQueens(pos, a), diag = bishopsAndQueens(pos, a);
    check.checkers = 0;
    if (QUEEN_RAYS[k] & (orth | diag)) {
        if (ROOK_RAYS[k] & orth) {
            check.kingOrthLines = rookAttacks(pos, k);
            check.checkers = orth & check.kingOrthLines;
        }
        if (BISHOP_RAYS[k] & diag) {
            // Zero orthogonal lines tell generateEvasions that a lone slider checks diagonally.
            if (!check.checkers) check.kingOrthLines = 0;
            check.kingDiagLines = bishopAttacks(pos, k);
            check.checkers |= diag & check.kingDiagLines;
        }
    }
    check.checkers |= KNIGHT_ATTACKS[k] & pos.pieceBoards[knightOf(a)];
    check.checkers |= PAWN_ATTACKS[s][k] & pos.pieceBoards[pawnOf(a)];
}

// A slider x on a line through the king sees a piece that the king sees too only
// when that piece stands alone between them: the lines through x cross the king's
// other lines at x or the king, which neither attack set holds.
Bitboard squaresToTest(const Position& pos, const CheckInfo& check) {
    if (check.checkers) return ~Bitboard{0};
    const Side s = pos.sideToMove, a = s ^ 1;
    const Square k = pos.kingSquare[s];
    const Bitboard own = pos.sidePieces(s);
    Bitboard squares = bitOf(k);
    if (Bitboard orth = rooksAndQueens(pos, a) & ROOK_RAYS[k]) {
        const Bitboard seen = rookAttacks(pos, k) & own;
        while (orth) squares |= rookAttacks(pos, popLowestSquare(orth)) & seen;
    }
    if (Bitboard diag = bishopsAndQueens(pos, a) & BISHOP_RAYS[k]) {
        const Bitboard seen = bishopAttacks(pos, k) & own;
        while (diag) squares |= bishopAttacks(pos, popLowestSquare(diag)) & seen;
    }
    return squares;
}

bool castlingCrossesAttackWhite(const Position& pos, Move move) { return castlingCrossesAttack<WHITE>(pos, move); }
bool castlingCrossesAttackBlack(const Position& pos, Move move) { return castlingCrossesAttack<BLACK>(pos, move); }

namespace {

inline bool pawnMoveFits(const Position& pos, Move move, Side s, Square from, Square to) {
    const MoveKind kind = moveKind(move);
    const Bitboard toBit = bitOf(to);
    const bool toEmpty = !(pos.occupied & toBit);
    const bool toEnemy = (pos.sidePieces(s ^ 1) & toBit) != 0;
    const int step = s == WHITE ? -8 : 8;
    const Bitboard lastRank = s == WHITE ? rankMask(0) : rankMask(7);
    const Bitboard doubleStepRank = s == WHITE ? rankMask(4) : rankMask(3);  // rank 4 / rank 5
    // Geometry from the attack table, so that no capture wraps round the board edge.
    const bool diagonalStep = (PAWN_ATTACKS[s][from] & toBit) != 0;
    const bool singleStep = to == from + step && toEmpty;
    switch (kind) {
        case KIND_QUIET:
            if (lastRank & toBit) return false;  // a step onto the last rank must promote
            return singleStep || (to == from + 2 * step && (doubleStepRank & toBit) && toEmpty &&
                                  !(pos.occupied & bitOf(from + step)));
        case KIND_CAPTURE: return diagonalStep && toEnemy && !(lastRank & toBit);
        case KIND_EN_PASSANT: return pos.epSquare != 0 && to == pos.epSquare && toEmpty && diagonalStep;
        case KIND_PROMOTE_QUEEN:
        case KIND_PROMOTE_KNIGHT:
        case KIND_PROMOTE_ROOK:
        case KIND_PROMOTE_BISHOP: return (lastRank & toBit) && singleStep;
        case KIND_CAPTURE_PROMOTE_QUEEN:
        case KIND_CAPTURE_PROMOTE_KNIGHT:
        case KIND_CAPTURE_PROMOTE_ROOK:
        case KIND_CAPTURE_PROMOTE_BISHOP: return (lastRank & toBit) && diagonalStep && toEnemy;
        default: return false;
    }
}

}  // namespace

bool isPseudoLegal(const Position& pos, Move move) {
    const Square from = moveFrom(move), to = moveTo(move);
    const MoveKind kind = moveKind(move);
    const Side s = pos.sideToMove;
    const Piece piece = pos.board[from];
    if (piece == EMPTY || sideOfPiece(piece) != s) return false;
    if (isPawn(piece)) return pawnMoveFits(pos, move, s, from, to);
    if (kind != KIND_QUIET && kind != KIND_CAPTURE) return false;
    const Bitboard toBit = bitOf(to);
    const bool kindFits = kind == KIND_QUIET ? !(pos.occupied & toBit) : (pos.sidePieces(s ^ 1) & toBit) != 0;
    if (!kindFits) return false;
    switch (piece) {
        case WHITE_KNIGHT:
        case BLACK_KNIGHT: return (KNIGHT_ATTACKS[from] & toBit) != 0;
        case WHITE_BISHOP:
        case BLACK_BISHOP: return (bishopAttacks(pos, from) & toBit) != 0;
        case WHITE_ROOK:
        case BLACK_ROOK: return (rookAttacks(pos, from) & toBit) != 0;
        case WHITE_QUEEN:
        case BLACK_QUEEN: return (queenAttacks(pos, from) & toBit) != 0;
        // The generators never step next to the other king; a step there is no move.
        default:
            return from == pos.kingSquare[s] && (KING_ATTACKS[from] & toBit) != 0 &&
                   !(KING_ATTACKS[pos.kingSquare[s ^ 1]] & toBit);
    }
}
