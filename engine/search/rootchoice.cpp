#include "search/rootchoice.h"

namespace {

RootChoice finished;  // the search thread's alone
RootChoice playable;

}  // namespace

void resetRootChoice() { finished = playable = RootChoice{}; }

void finishRootIteration(Move move, int score) { finished = playable = {move, score, true, ReportKind::ITERATION}; }

const RootChoice& finishedRootChoice() { return finished; }

const RootChoice& playableRootChoice() { return playable; }

void offerRootMove(Move move, int score, ReportKind kind) {
    // The first choice of a search is shown by its iteration's line. Later the choice
    // changes only with a line that shows it: a new move, or the same one with a new
    // bound; what was last shown is what would be played.
    if (playable.known && move == playable.move && kind != ReportKind::FAIL_HIGH) return;
    const bool show = playable.known;
    playable = {move, score, true, kind};
    if (show) reportRootLine(kind, move, score);
}
