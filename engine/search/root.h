// The root search of one iteration and the iterative-deepening driver.
#pragma once

#include "board/types.h"

struct SearchWorker;

// Searches the worker's root (ply 0, the first record) at its iterationDepth for its
// line: line 0 searches the whole root list and leaves the best move at its head
// (bestMove); line i searches the list from index i on, the moves of the lines before
// it left out, and leaves its best move at index i. Only the first line of a search
// over every root move reads and writes the root's table entry.
int searchRoot(SearchWorker& w, int alpha, int beta, int line = 0);

// The lines the worker's search gives: the lines its scope asks for (a helper one),
// at most the root's legal moves. Generates the root list when no iteration has yet
// (the first found its result in the table), keeping the first line's move at its head.
int rootLineCount(SearchWorker& w);

// What a search thread runs: the move for the worker's position (or a verdict code),
// also left at the head of its root list. Needs currentPly at the first record and the
// control's maxDepth set; returns early once the stop flag is raised during an
// iteration beyond the first.
Move iterativeDeepening(SearchWorker& w);
