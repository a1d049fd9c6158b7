// The attack test behind the legality checks: is a square attacked by a side?
#pragma once

#include "board/position.h"

// Square q attacked by a piece of side a over the current occupancy (kings never
// count). Cheap attackers first; sliding attacks only when an empty-board ray from q
// holds a slider of the right kind.
[[gnu::always_inline]] inline bool squareAttackedBy(const Position& pos, Square q, Side a) {
    const Bitboard* boards = pos.pieceBoards;
    if (KNIGHT_ATTACKS[q] & boards[knightOf(a)]) return true;
    if (PAWN_ATTACKS[a ^ 1][q] & boards[pawnOf(a)]) return true;
    const Bitboard queens = boards[queenOf(a)];
    const Bitboard orth = boards[rookOf(a)] | queens, diag = boards[bishopOf(a)] | queens;
    if (!(QUEEN_RAYS[q] & (orth | diag))) return false;
    if ((ROOK_RAYS[q] & orth) && (rookAttacks(pos, q) & orth)) return true;
    return (BISHOP_RAYS[q] & diag) && (bishopAttacks(pos, q) & diag);
}
