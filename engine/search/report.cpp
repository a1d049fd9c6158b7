#include "search/report.h"

#include "base/clock.h"
#include "search/searchstate.h"
#include "search/searchthread.h"

std::atomic<SearchReportHook> searchReportHook{nullptr};

namespace {

SearchReport report;  // the search thread's alone

}  // namespace

void reportRootLine(ReportKind kind, Move first, int score) {
    const SearchReportHook hook = searchReportHook.load(std::memory_order_acquire);
    if (!hook) return;
    report.depth = iterationDepth;
    report.score = score;
    report.elapsedMs = clockMs() - searchBeganMs();
    report.nodes = searchNodes;
    report.kind = kind;
    pvToTextFrom(report.pv, first, iterationDepth, PvStyle::MOVES_ONLY);
    hook(report);
}
