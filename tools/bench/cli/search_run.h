// A timed iterativeDeepening on the position set up, shared by `search` and `bench`.
#pragma once

#include <cstdint>

#include "board/types.h"

struct SearchRun {
    Move move;
    int score;
    std::uint64_t nodes;
    std::uint64_t micros;
};

SearchRun runSearch(int depth);

// Coordinate text of a move, or the verdict text of a pseudo-move; buffer of 32 bytes.
const char* resultText(char* buffer, Move move);

// "time T ms nps R", the closing line of both commands.
void printTimeLine(std::uint64_t nodes, std::uint64_t micros);
