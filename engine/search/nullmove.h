// Passing the turn, for the null-move test of the alpha-beta search.
#pragma once

#include "board/undo.h"

// The reduction R of the null-move search for a side with this much non-pawn
// material at this remaining depth; 0 when the side may not pass at all.
int nullMoveReduction(int pieceMaterial, int depth);

// Passes the turn: records NULL_MOVE in the game history, saves what
// unmakeNullMove restores into record, clears any en-passant square.
void makeNullMove(Position& pos, UndoRecord& record);
// Takes the null move back through the same record.
void unmakeNullMove(Position& pos, const UndoRecord& record);
