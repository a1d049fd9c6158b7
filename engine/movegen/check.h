// Check detection and the legality tests that make pseudo-legal moves legal.
#pragma once

#include "board/plyrecord.h"
#include "movegen/attacked.h"

// Fills checkers, kingOrthLines and kingDiagLines of ply for the side to move.
void computeCheckInfo(PlyRecord& ply);

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

// Whether move fits the current position at all (castling never does).
bool isPseudoLegal(Move move);
