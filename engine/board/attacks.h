// General attack queries over any Position (set-up checks, validation, tests).
// The search uses the faster specialised tests of the move generator instead.
#pragma once

#include "board/position.h"

// Pieces of side `by` (king included) that attack square sq in p.
inline Bitboard attackersOf(const Position& p, Square sq, Side by) {
    const Bitboard own = p.sidePieces(by);
    const Bitboard rooksQueens = p.pieceBoards[rookOf(by)] | p.pieceBoards[queenOf(by)];
    const Bitboard bishopsQueens = p.pieceBoards[bishopOf(by)] | p.pieceBoards[queenOf(by)];
    Bitboard attackers = KNIGHT_ATTACKS[sq] & p.pieceBoards[knightOf(by)];
    attackers |= PAWN_ATTACKS[by ^ 1][sq] & p.pieceBoards[pawnOf(by)];
    attackers |= (rankAttacks(sq, p.occupied) | fileAttacks(sq, p.occupiedRot90)) & rooksQueens;
    attackers |= (diagA1H8Attacks(sq, p.occupiedA1H8) | diagH1A8Attacks(sq, p.occupiedH1A8)) & bishopsQueens;
    if (p.kingSquare[by] < 64) attackers |= KING_ATTACKS[sq] & bitOf(p.kingSquare[by]);
    return attackers & own;
}
