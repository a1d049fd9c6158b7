// xboard's exclude and include: the root moves the interface's analysis leaves out.
// They belong to the game position they were given in and are forgotten when it
// changes. Main thread.
#pragma once

#include <vector>

#include "board/types.h"

// exclude MOVE and include MOVE, or all moves with the word "all". False (nothing
// changed) when the word names no legal move of the game position.
bool excludeRootMoves(const char* word);
bool includeRootMoves(const char* word);

// new, setboard, undo and the side switch forget the exclusions (after a game move
// the new position has none of its own anyway).
void forgetExclusions();

// The legal moves of the game position the analysis searches: none (every move)
// when nothing is excluded, or everything, which would leave nothing to analyse.
std::vector<Move> analysedRootMoves();
