#include "search/worker.h"

#include <cstring>

SearchWorker::SearchWorker(TranspositionTable& table, SearchControl& searchControl, int workerId)
    : tt(table), control(searchControl), id(workerId) {
    std::memset(static_cast<void*>(plies), 0, sizeof plies);
    std::memset(moveList, 0, sizeof moveList);
    clearHeuristics();
}

void SearchWorker::clearHeuristics() {
    for (PlyRecord& ply : plies) ply.killer1 = ply.killer2 = 0;
    clearHistory();
    pawnCache.clear();
}

void SearchWorker::clearHistory() { std::memset(history, 0, sizeof history); }
