// Pawn structure: material, placement, doubled, passed, isolated and attacked pawns.
#pragma once

#include "eval/evalstate.h"

// The pawn-structure score of the current position, white minus black, computed afresh.
int pawnStructureScore();

// The same score, taken from the pawn cache when it holds it and stored there when not.
int cachedPawnStructureScore();

// Adds the pawn term to the pass (nothing when no pawn is on the board).
void addPawnStructure(EvalState& state);
