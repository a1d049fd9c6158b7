// State the searches share: the path's check counts, the iteration depth, the
// principal-variation text, the node counter, and the stop poll.
#pragma once

#include <cstdint>

#include "search/control.h"
#include "search/pv.h"
#include "search/searchconst.h"
#include "search/tt.h"

extern std::uint32_t checkCount[2];  // nodes on the current path where that side was in check
extern int iterationDepth;
extern char pvBuffer[PV_BUFFER_SIZE];
extern std::uint64_t searchNodes;  // nodes entered since iterativeDeepening began (search thread only)

// The stop poll, by the stop flag or the node limit: only iterations beyond the first
// may be cut short.
inline bool stopRequested() {
    return iterationDepth > FIRST_ITERATION_DEPTH &&
           (stopFlag.load(std::memory_order_relaxed) != 0 || searchNodes >= nodeLimit.load(std::memory_order_relaxed));
}

// Whether a node at this remaining depth may narrow its window from a table bound.
inline bool mayNarrowAt(int depth) {
    return windowMayBeNarrowed(aspirationState.load(std::memory_order_relaxed), depth, iterationDepth);
}

// Where the list of the ply whose record is `ply` begins: the root's at the start of
// the array, every other one where its parent's ends.
inline MoveEntry* listStartFor(const PlyRecord& ply) {
    const PlyRecord* parent = &ply;
    while (parent != plyRecords) {
        --parent;
        // A parent always has its list before a child is searched; should one not,
        // the nearest ancestor's end is still a start that cannot overlap a live list.
        if (parent->moveListEnd) return parent->moveListEnd;
    }
    return moveListArray;
}
