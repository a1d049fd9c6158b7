// The root search of one iteration and the iterative-deepening driver.
#pragma once

#include "board/types.h"

struct SearchWorker;

// Searches the worker's root (ply 0, the first record) at its iterationDepth; leaves
// the best move at the head of the root list (bestMove).
int searchRoot(SearchWorker& w, int alpha, int beta);

// What a search thread runs: the move for the worker's position (or a verdict code),
// also left at the head of its root list. Needs currentPly at the first record and the
// control's maxDepth set; returns early once the stop flag is raised during an
// iteration beyond the first.
Move iterativeDeepening(SearchWorker& w);
