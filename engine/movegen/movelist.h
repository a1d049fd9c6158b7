// The room one position's move list needs.
#pragma once

#include "board/types.h"

// No position has more pseudo-legal moves than this: at most 15 pieces besides the
// king, none with more than 27 moves (a queen), plus 8 king steps and 2 castlings.
inline constexpr int MAX_MOVES_PER_POSITION = 15 * 27 + 10;
