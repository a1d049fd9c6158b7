// Perft: counts the leaves of the legal move tree with the engine's own
// generators, make/unmake and legality test. Proves the generators and measures them.
#pragma once

#include <cstdint>
#include <string>

#include "board/position.h"
#include "movegen/movelist.h"

// Deepest perft its own stack of records and move lists allows (far beyond any
// depth that finishes).
inline constexpr int MAX_PERFT_DEPTH = 135;

// Leaves at `depth` plies below the current position (depth >= 1).
std::uint64_t perft(Position& pos, int depth);

// The same count, with validatePosition() after every make and unmake in the first
// `checkedPlies` plies; the first mismatch found is described in `fault`.
std::uint64_t perftValidated(Position& pos, int depth, int checkedPlies, std::string& fault);

struct RootMoveCount {
    Move move;
    std::uint64_t leaves;
};

// Perft split by legal root move, in generator order; returns the number of root
// moves written to `counts` (room for MAX_MOVES_PER_POSITION).
int perftDivide(Position& pos, int depth, RootMoveCount* counts);
