// The search thread and the operations by which the main thread starts and
// stops a search. The two threads hand control over through three events; the
// main thread touches the position only while the search thread is idle.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

#include "base/events.h"
#include "search/control.h"

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
// it has ended. Any search still running is stopped first.
void endSearchThread();

// Starts a search of the current position to depth (at most MAX_SEARCH_DEPTH) and
// at most nodes nodes for request (REQUEST_THINK, REQUEST_PONDER or REQUEST_ANALYZE)
// and waits until the thread has taken it up.
void StartEngine(SearchRequest request, std::uint32_t depth, std::uint64_t nodes = NO_NODE_LIMIT);
// Stops any search and waits until the thread is idle.
void StopEngine();
// The same at the end of a timed move. When a failLowExtraMs is given, a search
// whose root has just failed low may first run that much longer to finish its iteration.
void StopEngineConditional(std::optional<std::uint32_t> failLowExtraMs);

// A ponder hit: the running search goes on as the search for the engine's move.
void turnPonderIntoThink();

// Clock when the search thread took up the running search (search thread only).
std::uint32_t searchBeganMs();
