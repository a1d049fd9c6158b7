#include "analysis/analyser.h"

#include <optional>

#include "analysis/stoptimer.h"
#include "movegen/check.h"
#include "movegen/legal.h"
#include "search/pv.h"
#include "search/root.h"
#include "search/searchconst.h"

Analyser::Analyser(std::size_t tableMegabytes) : worker_(std::make_unique<SearchWorker>(table_, control_, 0)) {
    std::string why;
    if (tableMegabytes != TT_DEFAULT_MB) table_.resize(tableMegabytes, why);  // the default size on failure
    // Every position is searched, also one drawn by rule: the analysis wants its move.
    control_.verdictForDrawnRoot = false;
}

void Analyser::newGame() {
    table_.clear();
    table_.setAge(1);
    worker_->clearHeuristics();
}

PositionAnalysis Analyser::analyse(const Position& pos, const AnalysisLimits& limits) {
    SearchWorker& w = *worker_;
    w.pos = pos;
    // A game that is over here is scored as such: a table entry of the position, left
    // by a search from an earlier position, carries that search's distance to the mate.
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    if (generateLegalMoves(w.pos, legal) == 0) {
        CheckInfo check;
        computeCheckInfo(w.pos, check);
        return {0, check.checkers ? -MATE_SCORE : 0, 0, 0, {}};
    }
    w.clearHistory();  // as after every game move
    control_.maxDepth = limits.depth > 0 && limits.depth < MAX_SEARCH_DEPTH ? limits.depth : MAX_SEARCH_DEPTH;
    control_.nodeLimit = NO_NODE_LIMIT;
    control_.stopFlag = 0;
    Move best;
    {
        std::optional<StopTimer> timer;
        if (limits.movetimeMs) timer.emplace(control_.stopFlag, limits.movetimeMs);
        best = iterativeDeepening(w);
    }
    PositionAnalysis result;
    result.best = best;
    result.score = w.bestScore();
    result.depth = w.finishedChoice.depth;
    result.nodes = nodesOf(w);
    result.line = principalLine(w.pos, table_, best, MAX_SEARCH_DEPTH);
    return result;
}
