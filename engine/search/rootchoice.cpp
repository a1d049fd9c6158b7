#include "search/rootchoice.h"

#include "search/worker.h"

void resetRootChoice(SearchWorker& w) { w.finishedChoice = w.playableChoice = RootChoice{}; }

void finishRootIteration(SearchWorker& w, Move move, int score) {
    w.finishedChoice = w.playableChoice = {move, score, true, ReportKind::ITERATION, w.iterationDepth};
}

const RootChoice& finishedRootChoice(const SearchWorker& w) { return w.finishedChoice; }

const RootChoice& playableRootChoice(const SearchWorker& w) { return w.playableChoice; }

void offerRootMove(SearchWorker& w, Move move, int score, ReportKind kind) {
    RootChoice& playable = w.playableChoice;
    // The first choice of a search is shown by its iteration's line. Later the choice
    // changes only with a line that shows it: a new move, or the same one with a new
    // bound; what was last shown is what would be played.
    if (playable.known && move == playable.move && kind != ReportKind::FAIL_HIGH) return;
    const bool show = playable.known;
    playable = {move, score, true, kind, w.iterationDepth};
    if (show) reportRootLine(w, kind, move, score);
}
