// Playing a move on the global position and taking it back.
#pragma once

#include "board/plyrecord.h"

// Thrown (carrying false) when asked to make or unmake a move of kind 3.
struct NotAMove {
    bool value = false;
};

// Plays move; ply must already hold the saved fields (saveUndoInfo).
void makeMove(Move move, PlyRecord& ply);
// Takes back move, the last one made, through the same record.
void unmakeMove(Move move, PlyRecord& ply);
