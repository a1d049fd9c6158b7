// A search worker: everything one search thread owns. Its position (a copy of the
// game's), its stack of ply records and the move lists they point into, the killers,
// history counters and pawn cache it learns from, its node count and the choice its
// root has settled on. Only the transposition table and the control are shared.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "board/position.h"
#include "eval/pawnhash.h"
#include "search/control.h"
#include "search/plyrecord.h"
#include "search/pv.h"
#include "search/report.h"
#include "search/rootchoice.h"
#include "search/rootscope.h"
#include "search/searchconst.h"
#include "search/tt.h"

// Cache-line aligned, so that no two workers' counters share a line.
struct alignas(64) SearchWorker {
    SearchWorker(TranspositionTable& table, SearchControl& searchControl, int workerId = 0);
    SearchWorker(const SearchWorker&) = delete;
    SearchWorker& operator=(const SearchWorker&) = delete;

    // Everything learnt in the game so far is forgotten (a new game).
    void clearHeuristics();
    void clearHistory();

    // The search's result is the head of the root move list: whatever stands first
    // there is the current choice, its key the score; the best lines after the first
    // follow it in their order. Read once the search has stopped.
    Move bestMove() const { return moveList[0].move; }  // the search's move or a verdict code
    Score bestScore() const { return moveList[0].score; }

    Position pos;
    TranspositionTable& tt;
    SearchControl& control;
    const int id;  // 0: the main worker, whose move is played and whose thinking is shown

    std::atomic<std::uint64_t> nodes{0};          // entered since the search began
    std::uint64_t nodeBudget = NO_NODE_LIMIT;     // its share of the search's node limit
    std::atomic<std::int32_t> aspirationState{0};  // -1 after a fail low, +1 after a fail high, else 0
    int iterationDepth = FIRST_ITERATION_DEPTH;
    std::uint32_t checkCount[2] = {0, 0};  // nodes on the current path where that side was in check

    PlyRecord plies[PLY_RECORD_COUNT];
    PlyRecord* currentPly = plies;  // the record in use; the first one whenever no search runs
    // Each ply's list starts where its parent's ends; the root's at the start.
    MoveEntry moveList[MOVE_LIST_CAPACITY];
    // History-phase keys, beside the entries they order (a node can hold more untried
    // moves than any fixed per-ply array).
    std::uint32_t historyKeys[MOVE_LIST_CAPACITY];
    // Move-ordering history counters, by side to move and the move's from/to bits.
    std::uint32_t history[2][4096];
    PawnHashTable pawnCache;

    // Set while the worker is idle: the root moves it may choose from and the lines asked for.
    RootScope scope;
    int lineCount = 1;  // the lines the search gives: those asked for, at most the root's legal moves

    RootChoice finishedChoice;  // the last finished iteration's
    RootChoice playableChoice;  // what is played if the search stops now
    SearchReport report;
    char pvBuffer[PV_BUFFER_SIZE];
};

// The best lines the worker's search is asked for: only the main worker finds more than one.
inline int linesAsked(const SearchWorker& w) {
    return w.id == 0 ? std::clamp(w.scope.lines, MIN_PV_LINES, MAX_PV_LINES) : MIN_PV_LINES;
}

// One node more for the worker's count (a relaxed load and store: no locked add, since
// only its own thread writes it).
inline void countNode(SearchWorker& w) { w.nodes.store(w.nodes.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed); }
inline std::uint64_t nodesOf(const SearchWorker& w) { return w.nodes.load(std::memory_order_relaxed); }

// Nodes of the whole search the worker takes part in: the sum over its team.
inline std::uint64_t searchedNodes(const SearchWorker& w) {
    if (w.control.team.empty()) return nodesOf(w);
    std::uint64_t sum = 0;
    for (const SearchWorker* member : w.control.team) sum += nodesOf(*member);
    return sum;
}
