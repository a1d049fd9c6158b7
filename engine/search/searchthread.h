// The engine's search: its transposition table, its workers (the main one and the
// helpers that search the same root beside it, sharing only the table) and their
// threads, and the operations by which the main thread starts and stops a search.
// The main thread and the main search thread hand control over through three events;
// the main thread touches the workers and the table only while the search is idle.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/events.h"
#include "search/control.h"
#include "search/worker.h"

inline constexpr int MIN_SEARCH_THREADS = 1;
inline constexpr int MAX_SEARCH_THREADS = 1024;

extern Event startEvent;    // automatic reset: a start request for the search thread
extern Event stoppedEvent;  // manual reset: set while the search thread is idle
extern Event startedEvent;  // automatic reset: the search thread has taken up a request

// Called by the search thread each time it has become idle (after stoppedEvent is
// set), for a waiter that watches other things beside the search.
using SearchIdleHook = void (*)();
extern std::atomic<SearchIdleHook> searchIdleHook;

// Starts the search thread (once; later calls do nothing).
void createSearchThread();
// At the end of the session: wakes the thread with REQUEST_QUIT and waits until
// it and the helpers have ended. Any search still running is stopped first.
void endSearchThread();

// Starts a search of root to depth (at most MAX_SEARCH_DEPTH) and at most nodes
// nodes in all for request (REQUEST_THINK, REQUEST_PONDER or REQUEST_ANALYZE) over
// the scope's root moves (every worker's) and lines (the main worker's), and waits
// until the thread has taken it up.
void StartEngine(const Position& root, SearchRequest request, std::uint32_t depth,
                 std::uint64_t nodes = NO_NODE_LIMIT, const RootScope& scope = {});
// Stops any search and waits until every worker is idle.
void StopEngine();
// The same at the end of a timed move. When a failLowExtraMs is given, a search
// whose root has just failed low may first run that much longer to finish its iteration.
void StopEngineConditional(std::optional<std::uint32_t> failLowExtraMs);

// A ponder hit: the running search goes on as the search for the engine's move.
void turnPonderIntoThink();

// Clock when the search thread took up the running search.
std::uint32_t searchBeganMs();

// ---- What the engine's search holds (search idle unless said otherwise) -------------
// The worker whose move is played and whose thinking is shown.
SearchWorker& mainWorker();
inline Move bestMove() { return mainWorker().bestMove(); }  // the search's move or a verdict code
inline Score bestScore() { return mainWorker().bestScore(); }
// -1 while the running search's root has just failed low (any thread may look).
inline std::int32_t rootAspiration() { return mainWorker().aspirationState.load(std::memory_order_relaxed); }
TranspositionTable& engineTable();
SearchControl& engineControl();

// How many workers search (1 to MAX_SEARCH_THREADS). False, with the old count kept
// and why saying why, when the threads cannot be had.
bool setSearchThreads(int count, std::string& why);
int searchThreadCount();
// Resizes the table (see TranspositionTable::resize); it is cleared either way.
bool setHashMegabytes(std::size_t megabytes, std::string& why);

// A new game: the table, every worker's killers, history counters and pawn cache.
void clearSearchTables();
// After a game move: the history counters of every worker.
void clearHistoryCounters();
