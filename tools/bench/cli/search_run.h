// A timed iterativeDeepening on the position set up, shared by `search`, `game` and `bench`.
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

// The DEPTH argument of a searching command: a number the search can iterate to, or 0
// after saying on standard error why it is not one.
int readSearchDepth(const char* command, const char* text);

// runSearch with the search's trace on standard output, closed by the line
// "bestmove MOVE score S nodes N time T ms nps R".
SearchRun runPrintedSearch(int depth);

// Coordinate text of a move, or the verdict text of a pseudo-move; buffer of 32 bytes.
const char* resultText(char* buffer, Move move);

// "time T ms nps R", the closing line of a search and of the bench.
void printTimeLine(std::uint64_t nodes, std::uint64_t micros);
