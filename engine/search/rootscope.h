// What one search covers at its root: the moves it may choose from and how many best
// lines its main worker finds. The front end hands it to the workers while they are
// idle; each worker cuts its root list down to the moves when it first generates it.
#pragma once

#include <vector>

#include "board/position.h"
#include "movegen/movelist.h"

struct RootScope {
    // Legal moves of the root (UCI's searchmoves, the moves an analysis has not
    // excluded); empty: every move.
    std::vector<Move> moves;
    int lines = 1;  // the best lines to find (MultiPV), 1 to MAX_PV_LINES

    bool restricts() const { return !moves.empty(); }
};

// Keeps the entries of [begin, end) whose moves the scope allows, in their order, and
// returns the new end. A scope that allows none of them keeps them all: a search
// always has its legal moves to choose from.
MoveEntry* keepScopeMoves(const RootScope& scope, MoveEntry* begin, MoveEntry* end);

// How many entries of [begin, end), a list of pos's generated moves, are legal.
int countLegalEntries(Position& pos, const MoveEntry* begin, const MoveEntry* end);
