// Quiescence search: captures (all evasions in check) until the position is quiet.
#pragma once

#include "board/types.h"

struct SearchWorker;

// Value of the worker's position for the side to move. depth starts at 0 and falls
// by one per capture ply; ply is the distance from the root (the record at currentPly).
int quiesce(SearchWorker& w, int depth, int ply, int alpha, int beta);

// The same for a caller that knows the side to move.
template <Side S>
int quiesceFor(SearchWorker& w, int depth, int ply, int alpha, int beta);
