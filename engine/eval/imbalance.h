// Material imbalance: minor pieces against majors, an extra piece, a lone queen.
#pragma once

#include "eval/evalstate.h"

// Adjustment for the balances (white minus black counts of minors and of rooks
// and queens) and the queens on the board, from White's side. Applies whatever
// the material; addMaterialImbalance decides whether it is taken.
int materialImbalance(const Position& pos, int minorBalance, int majorBalance);

// Adds the term when either side has at least IMBALANCE_FROM units of pieces.
void addMaterialImbalance(const Position& pos, EvalState& state);
