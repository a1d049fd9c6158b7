// Knights, bishops, rooks and queens: material, placement, tropism toward the
// enemy king and each kind's own terms. Each adds side S's share to the pass
// (with the sign of S) and counts the side's pieces into the balances.
#pragma once

#include "eval/evalstate.h"

template <Side S>
void addKnights(const Position& pos, EvalState& state);

// Also the trapped-bishop penalty and the bishop pair.
template <Side S>
void addBishops(const Position& pos, EvalState& state);

// Also the file terms and the rooks on the seventh rank (the second, for Black).
template <Side S>
void addRooks(const Position& pos, EvalState& state);

template <Side S>
void addQueens(const Position& pos, EvalState& state);
