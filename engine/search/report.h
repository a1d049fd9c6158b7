// What the search tells whoever shows its thinking: after each completed iteration
// and whenever the root finds a new best move. The search calls the hook on its own
// thread; without a hook it does no work for reports at all.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"
#include "search/pv.h"

struct SearchReport {
    int depth;               // the iteration's depth in plies
    int score;               // for the side to move at the root
    std::uint32_t elapsedMs; // since the search began (a ponder search that became ours included)
    std::uint64_t nodes;
    bool iterationDone;      // false: a new best move within an iteration
    char pv[PV_BUFFER_SIZE]; // the moves of the principal variation, blank-separated
};

using SearchReportHook = void (*)(const SearchReport&);
extern std::atomic<SearchReportHook> searchReportHook;

// Called by the search: an iteration of this depth ended with score.
void reportIteration(int score);
// Called by the root search: move (not the first one tried) is the new best with score.
void reportNewBestMove(Move move, int score);
