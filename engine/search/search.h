// The principal-variation alpha-beta search of every node below the root.
#pragma once

#include "search/plyrecord.h"

struct SearchWorker;

// Value of the worker's position for the side to move, searched depth (>= 1) plies
// deep. ply (>= 1) is the distance from the root; the worker's record at currentPly
// is this ply's and must have moveListEnd cleared by the caller. nullAllowed is
// false only for the null-move search itself.
int search(SearchWorker& w, int depth, int ply, int alpha, int beta, bool nullAllowed);

template <Side S>
int searchFor(SearchWorker& w, int depth, int ply, int alpha, int beta, bool nullAllowed);

// Whether a move that caused a cut-off may become a killer: quiet moves and castling.
inline bool killerKind(Move move) {
    const MoveKind kind = moveKind(move);
    return kind == KIND_QUIET || isCastlingKind(kind);
}

// The killer and history bookkeeping of a cut-off at a search or root node.
void recordCutoff(SearchWorker& w, PlyRecord& node, Side side, Move move, int depth);
