// The shared move-list array: each ply's list starts where its parent's ends.
#pragma once

#include "board/plyrecord.h"

// No position has more pseudo-legal moves than this: at most 15 pieces besides the
// king, none with more than 27 moves (a queen), plus 8 king steps and 2 castlings.
inline constexpr int MAX_MOVES_PER_POSITION = 15 * 27 + 10;
inline constexpr int MOVE_LIST_CAPACITY = PLY_RECORD_COUNT * MAX_MOVES_PER_POSITION;

extern MoveEntry moveListArray[MOVE_LIST_CAPACITY];
