// The move the search answers with while it deepens: the last finished iteration's
// choice, replaced inside an unfinished iteration only by a move that has proved at
// least as good there. What the search plays, traces and shows all comes from here,
// never from a root list or table entry that an unfinished pass left behind.
#pragma once

#include "board/types.h"
#include "search/report.h"

struct RootChoice {
    Move move = 0;
    int score = 0;
    bool known = false;
    ReportKind kind = ReportKind::ITERATION;  // how it was chosen
    int depth = 0;                            // of the iteration that chose it
};

struct SearchWorker;

// A new search: nothing chosen yet.
void resetRootChoice(SearchWorker& w);
// An iteration finished with move (the head of the root list) and score; an exact
// table entry of an earlier search counts as one.
void finishRootIteration(SearchWorker& w, Move move, int score);

// The last finished iteration's choice.
const RootChoice& finishedRootChoice(const SearchWorker& w);
// What the search plays if it stops now.
const RootChoice& playableRootChoice(const SearchWorker& w);

// A move of the unfinished iteration proved at least as good as the finished
// choice (it failed high above it, or beat it in the same pass): it becomes the move
// to play, and its line is shown when it is a new move or a fail high.
void offerRootMove(SearchWorker& w, Move move, int score, ReportKind kind);
