// Static evaluation of the global position.
#pragma once

#include "board/types.h"

// Centipawns from the side to move's point of view. Both kings must be on the
// board (set-up refuses positions without them). Reads the position and uses
// the pawn cache; changes nothing else.
Score evaluate();
