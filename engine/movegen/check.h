// Check detection and the legality tests that make pseudo-legal moves legal.
#pragma once

#include "board/plyrecord.h"

// Fills checkers, kingOrthLines and kingDiagLines of ply for the side to move.
void computeCheckInfo(PlyRecord& ply);

// After makeMove(move): true when the move left side's king attacked (or castled
// out of, through or next to an attack).
bool leavesKingAttacked(Move move, Side side);
bool castlingCrossesAttackWhite(Move move);
bool castlingCrossesAttackBlack(Move move);

// Whether move fits the current position at all (castling never does).
bool isPseudoLegal(Move move);
