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

// The DEPTH and FEN arguments of a searching command: sets the position up as a new
// game (the search's tables cleared) and returns the depth; 0, after saying on
// standard error why, when the depth is no number the search can iterate to or the
// position cannot be set up.
int readDepthAndNewGame(const char* command, const char* depthText, const char* fen);

// runSearch with the search's trace on standard output, closed by the line
// "bestmove MOVE score S nodes N time T ms nps R".
SearchRun runPrintedSearch(int depth);

// Coordinate text of a move, or the verdict text of a pseudo-move; buffer of 32 bytes.
const char* resultText(char* buffer, Move move);

// "time T ms nps R", the closing line of a search and of the bench.
void printTimeLine(std::uint64_t nodes, std::uint64_t micros);
