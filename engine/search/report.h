// What the search tells whoever shows its thinking: a line for each finished
// iteration and, within an unfinished one, for the move it would now play. The
// search calls the hook on its own thread; without a hook it does no work for
// reports at all.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"
#include "search/pv.h"

// What a line's score is. Every line starts with the move the search would play.
enum class ReportKind {
    ITERATION,  // a finished iteration: its choice and exact score
    NEW_BEST,   // an unfinished iteration: a move that beat the last choice, exact score
    FAIL_HIGH,  // an unfinished iteration: a move at least this good (a lower bound)
    FAIL_LOW,   // an unfinished iteration: the last choice, at most this good (an upper bound)
};

struct SearchReport {
    int depth;               // the iteration's depth in plies
    int score;               // for the side to move at the root
    std::uint32_t elapsedMs; // since the search began (a ponder search that became ours included)
    std::uint64_t nodes;
    ReportKind kind;
    int line;                // 1 for the best line, 2 for the next best, ...
    int lines;               // how many best lines the search was asked for
    char pv[PV_BUFFER_SIZE]; // the moves of the principal variation, blank-separated
};

using SearchReportHook = void (*)(const SearchReport&);
extern std::atomic<SearchReportHook> searchReportHook;

struct SearchWorker;

// Called by the search: a line of the worker's current iteration starting with first,
// then the table's line after it; line 0 is the best line, the one whose move is
// played. Only the main worker's lines are shown.
void reportRootLine(SearchWorker& w, ReportKind kind, Move first, int score, int line = 0);
