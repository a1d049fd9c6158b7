// Static evaluation of a position.
#pragma once

#include "board/position.h"
#include "eval/pawnhash.h"

// Centipawns from the side to move's point of view. Both kings must be on the
// board (set-up refuses positions without them). Reads pos and uses pawnCache,
// the caller's cache of pawn-structure scores; changes nothing else.
Score evaluate(const Position& pos, PawnHashTable& pawnCache);
