// The polls and small helpers every search function shares, on its worker.
#pragma once

#include "search/worker.h"

// Whether the search's node limit is reached, asked once the worker has spent its
// budget: a worker alone stops there; the main worker of a team adds up the team's
// nodes and either stops them all or takes a new budget from what is left.
bool nodeLimitReached(SearchWorker& w);

// The stop poll, by the stop flag or the node limit: only iterations beyond the first
// may be cut short.
inline bool stopRequested(SearchWorker& w) {
    return w.iterationDepth > FIRST_ITERATION_DEPTH &&
           (w.control.stopFlag.load(std::memory_order_relaxed) != 0 ||
            (nodesOf(w) >= w.nodeBudget && nodeLimitReached(w)));
}

// Whether a node at this remaining depth may narrow its window from a table bound.
inline bool mayNarrowAt(const SearchWorker& w, int depth) {
    return windowMayBeNarrowed(w.aspirationState.load(std::memory_order_relaxed), depth, w.iterationDepth);
}

// Where the list of the ply whose record is `ply` begins: the root's at the start of
// the array, every other one where its parent's ends.
inline MoveEntry* listStartFor(SearchWorker& w, const PlyRecord& ply) {
    const PlyRecord* parent = &ply;
    while (parent != w.plies) {
        --parent;
        // A parent always has its list before a child is searched; should one not,
        // the nearest ancestor's end is still a start that cannot overlap a live list.
        if (parent->moveListEnd) return parent->moveListEnd;
    }
    return w.moveList;
}
