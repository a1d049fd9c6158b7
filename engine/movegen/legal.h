// Legal-move queries for callers outside the search (front end, tools, tests).
#pragma once

#include "board/position.h"
#include "movegen/movelist.h"

// True when move is a legal move of the side to move in pos.
// Leaves the position as it was.
bool isLegalMove(Position& pos, Move move);

// Writes the legal moves of the current position into list (room for
// MAX_MOVES_PER_POSITION entries) in generator order; returns the count.
int generateLegalMoves(Position& pos, MoveEntry* list);
