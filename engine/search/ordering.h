// Move ordering: the keys a node gives its list and the selection of the next move.
#pragma once

#include "search/plyrecord.h"

struct SearchWorker;

// search and searchRoot: the hash move first, then the generator's order with the
// killers just above the quiet moves.
void setSearchKeys(MoveEntry* begin, MoveEntry* end, const PlyRecord& ply);
// quiesce: the hash move first, killers raised among the captures.
void setQuiesceKeys(MoveEntry* begin, MoveEntry* end, const PlyRecord& ply);

// Swaps the entry with the highest key in [cursor, end) (the earliest of equals)
// into cursor.
void pickHighestKey(MoveEntry* cursor, MoveEntry* end);

// Picks the next move of search and searchRoot into cursor: by key while keys stay
// at or above HISTORY_PHASE_BELOW, then (for this and every later pick of the node;
// historyPhase tracks it) by history counter plus key, computed once per node.
void pickNextMove(SearchWorker& w, Side side, MoveEntry* cursor, MoveEntry* end, bool& historyPhase);
