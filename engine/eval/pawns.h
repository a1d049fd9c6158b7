// Pawn structure: material, placement, doubled, passed, isolated and attacked pawns.
#pragma once

#include "eval/evalstate.h"
#include "eval/pawnhash.h"

// The pawn-structure score of pos, white minus black, computed afresh.
int pawnStructureScore(const Position& pos);

// The same score, taken from the pawn cache when it holds it and stored there when not.
int cachedPawnStructureScore(const Position& pos, PawnHashTable& cache);

// Adds the pawn term to the pass (nothing when no pawn is on the board).
void addPawnStructure(const Position& pos, PawnHashTable& cache, EvalState& state);
