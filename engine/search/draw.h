// Draws the search recognises: too little material, fifty reversible moves, repetition.
#pragma once

#include "board/position.h"

// A side without pawns needs 4 units (a rook, or two minors) to have any chance.
inline constexpr int MIN_MATING_MATERIAL = 4;
// Reversible plies that end the game (fifty moves each).
inline constexpr int FIFTY_MOVE_PLIES = 100;
// Fewer reversible plies than this cannot contain a repetition.
inline constexpr int MIN_REPETITION_PLIES = 4;
// Beyond this many reversible plies a stored root move is distrusted (it nears the fifty-move draw).
inline constexpr int DISTRUST_REVERSIBLE_PLIES = 75;

// VERDICT_NO_MATERIAL, VERDICT_FIFTY_MOVES or VERDICT_REPETITION when pos is drawn, 0 otherwise; a repetition needs `occurrences` earlier
// occurrences of the position with the same side to move.
Move checkDraw(const Position& pos, int occurrences);

// How many times (0, 1 or 2) the position after a quiet piece move has occurred
// before in pos's game; 0 for any other move.
int repetitionsAfter(const Position& pos, Move move);
