// The root search of one iteration and the iterative-deepening driver.
#pragma once

#include "board/types.h"

// Searches the root (ply 0, the first record) at iterationDepth; leaves the best move
// at the head of the root list (rootBestEntry).
int searchRoot(int alpha, int beta);

// What the search thread runs: the move for the current position (or a verdict
// code), also left in rootBestEntry. Needs currentPly at the first record, maxDepth
// set; returns early once stopFlag is raised during an iteration beyond the first.
Move iterativeDeepening();
