// Check detection and the legality tests that make pseudo-legal moves legal.
#pragma once

#include "movegen/attacked.h"
#include "movegen/checkinfo.h"

// Fills check with the check information of the side to move.
void computeCheckInfo(const Position& pos, CheckInfo& check);

// The castling part of leavesKingAttacked: the king started on or crossed an
// attacked square, or came next to the other king.
bool castlingCrossesAttackWhite(const Position& pos, Move move);
bool castlingCrossesAttackBlack(const Position& pos, Move move);

// After makeMove(pos, move): true when the move left side's king attacked (or castled
// out of, through or next to an attack). Inline: it follows every move made.
inline bool leavesKingAttacked(const Position& pos, Move move, Side side) {
    if (squareAttackedBy(pos, pos.kingSquare[side], side ^ 1)) return true;
    if (moveKind(move) < KIND_CASTLE_BLACK_SHORT) return false;
    return side == BLACK ? castlingCrossesAttackBlack(pos, move) : castlingCrossesAttackWhite(pos, move);
}

// The same answer as leavesKingAttacked(pos, move, side), found faster. `before` is the
// check information of the position before the move (computeCheckInfo). When that position was not in check and neither the
// king nor an en-passant capture moved, no knight, pawn or blocked line can have
// turned against the king: only a slider behind the vacated from-square can attack it.
[[gnu::always_inline]] inline bool leavesKingAttacked(const Position& pos, Move move, Side side,
                                                      const CheckInfo& before) {
    const MoveKind kind = moveKind(move);
    const Square k = pos.kingSquare[side];
    if (before.checkers || kind == KIND_EN_PASSANT || isCastlingKind(kind) || moveTo(move) == k)
        return leavesKingAttacked(pos, move, side);
    const Bitboard fromBit = bitOf(moveFrom(move));
    if (!(QUEEN_RAYS[k] & fromBit)) return false;
    // The lookups only where a slider of the right kind stands on the king's lines at all.
    const Side a = side ^ 1;
    const Bitboard queens = pos.pieceBoards[queenOf(a)];
    if (ROOK_RAYS[k] & fromBit) {
        const Bitboard orth = (pos.pieceBoards[rookOf(a)] | queens) & ROOK_RAYS[k];
        return orth && (rookAttacks(pos, k) & orth);
    }
    const Bitboard diag = (pos.pieceBoards[bishopOf(a)] | queens) & BISHOP_RAYS[k];
    return diag && (bishopAttacks(pos, k) & diag);
}

// Squares of the side to move whose moves leavesKingAttacked(pos, move, side, before, ...)
// must still look at, for the position the check information describes: every square in
// check; otherwise the king's and those of pieces standing alone between the king and
// an enemy slider on its line. No other piece can uncover the king.
Bitboard squaresToTest(const Position& pos, const CheckInfo& check);

// The same answer as leavesKingAttacked(pos, move, side), found faster still: `toTest` is
// squaresToTest(pos, before) of the position before the move. A move from any other
// square (en passant aside, which empties a second square) leaves the king safe.
inline bool leavesKingAttacked(const Position& pos, Move move, Side side, const CheckInfo& before, Bitboard toTest) {
    if (!(toTest & bitOf(moveFrom(move))) && moveKind(move) != KIND_EN_PASSANT) return false;
    return leavesKingAttacked(pos, move, side, before);
}

// Whether the generators would produce move here, leaving aside only whether it
// uncovers the own king (castling never fits).
bool isPseudoLegal(const Position& pos, Move move);
