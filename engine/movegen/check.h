// Check detection and the legality tests that make pseudo-legal moves legal.
#pragma once

#include "movegen/attacked.h"
#include "movegen/checkinfo.h"

// Fills check with the check information of the side to move.
void computeCheckInfo(CheckInfo& check);

// The castling part of leavesKingAttacked: the king started on or crossed an
// attacked square, or came next to the other king.
bool castlingCrossesAttackWhite(Move move);
bool castlingCrossesAttackBlack(Move move);

// After makeMove(move): true when the move left side's king attacked (or castled
// out of, through or next to an attack). Inline: it follows every move made.
inline bool leavesKingAttacked(Move move, Side side) {
    if (squareAttackedBy(position.kingSquare[side], side ^ 1)) return true;
    if (moveKind(move) < KIND_CASTLE_BLACK_SHORT) return false;
    return side == BLACK ? castlingCrossesAttackBlack(move) : castlingCrossesAttackWhite(move);
}

// The same answer as leavesKingAttacked(move, side), found faster. `before` is the
// check information of the position before the move (computeCheckInfo). When that position was not in check and neither the
// king nor an en-passant capture moved, no knight, pawn or blocked line can have
// turned against the king: only a slider behind the vacated from-square can attack it.
inline bool leavesKingAttacked(Move move, Side side, const CheckInfo& before) {
    const MoveKind kind = moveKind(move);
    const Square k = position.kingSquare[side];
    if (before.checkers || kind == KIND_EN_PASSANT || isCastlingKind(kind) || moveTo(move) == k)
        return leavesKingAttacked(move, side);
    const Bitboard fromBit = bitOf(moveFrom(move));
    if (!(QUEEN_RAYS[k] & fromBit)) return false;
    // The lookups only where a slider of the right kind stands on the king's lines at all.
    const Side a = side ^ 1;
    const Bitboard queens = position.pieceBoards[queenOf(a)];
    if (ROOK_RAYS[k] & fromBit) {
        const Bitboard orth = (position.pieceBoards[rookOf(a)] | queens) & ROOK_RAYS[k];
        return orth && (rookAttacks(k) & orth);
    }
    const Bitboard diag = (position.pieceBoards[bishopOf(a)] | queens) & BISHOP_RAYS[k];
    return diag && (bishopAttacks(k) & diag);
}

// Squares of the side to move whose moves leavesKingAttacked(move, side, before, ...)
// must still look at, for the position the check information describes: every square in
// check; otherwise the king's and those of pieces standing alone between the king and
// an enemy slider on its line. No other piece can uncover the king.
Bitboard squaresToTest(const CheckInfo& check);

// The same answer as leavesKingAttacked(move, side), found faster still: `toTest` is
// squaresToTest(before) of the position before the move. A move from any other
// square (en passant aside, which empties a second square) leaves the king safe.
inline bool leavesKingAttacked(Move move, Side side, const CheckInfo& before, Bitboard toTest) {
    if (!(toTest & bitOf(moveFrom(move))) && moveKind(move) != KIND_EN_PASSANT) return false;
    return leavesKingAttacked(move, side, before);
}

// Whether the generators would produce move here, leaving aside only whether it
// uncovers the own king (castling never fits).
bool isPseudoLegal(Move move);
