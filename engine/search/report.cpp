#include "search/report.h"

#include "base/clock.h"
#include "search/searchthread.h"
#include "search/worker.h"

std::atomic<SearchReportHook> searchReportHook{nullptr};

void reportRootLine(SearchWorker& w, ReportKind kind, Move first, int score, int line) {
    const SearchReportHook hook = searchReportHook.load(std::memory_order_acquire);
    if (!hook || w.id != 0) return;
    SearchReport& report = w.report;
    report.depth = w.iterationDepth;
    report.score = score;
    report.elapsedMs = clockMs() - searchBeganMs();
    report.nodes = searchedNodes(w);
    report.kind = kind;
    report.line = line + 1;
    report.lines = linesAsked(w);
    pvToTextFrom(w.pos, w.tt, report.pv, first, w.iterationDepth, PvStyle::MOVES_ONLY);
    hook(report);
}
