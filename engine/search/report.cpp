#include "search/report.h"

#include <cstring>

#include "base/clock.h"
#include "board/makemove.h"
#include "movegen/notation.h"
#include "search/searchstate.h"
#include "search/searchthread.h"

std::atomic<SearchReportHook> searchReportHook{nullptr};

namespace {

SearchReport report;  // the search thread's alone

void fillReport(int score, bool iterationDone) {
    report.depth = iterationDepth;
    report.score = score;
    report.elapsedMs = clockMs() - searchBeganMs();
    report.nodes = searchNodes;
    report.iterationDone = iterationDone;
}

}  // namespace

void reportIteration(int score) {
    const SearchReportHook hook = searchReportHook.load(std::memory_order_acquire);
    if (!hook) return;
    fillReport(score, true);
    pvToText(report.pv, iterationDepth, PvStyle::MOVES_ONLY);
    hook(report);
}

void reportNewBestMove(Move move, int score) {
    const SearchReportHook hook = searchReportHook.load(std::memory_order_acquire);
    if (!hook) return;
    fillReport(score, false);
    // The move, then the line the table holds after it.
    char* out = moveToText(report.pv, move);
    UndoRecord undo;
    saveUndoInfo(undo);
    makeMove(move, undo);
    *out++ = ' ';
    pvToText(out, iterationDepth - 1, PvStyle::MOVES_ONLY);
    unmakeMove(move, undo);
    if (*out == '\0') *--out = '\0';  // nothing followed: no blank either
    hook(report);
}
