// The search thread and the operations by which the main thread starts and
// stops a search. The two threads hand control over through three events; the
// main thread touches the position only while the search thread is idle.
#pragma once

#include <cstdint>

#include "board/plyrecord.h"
#include "base/events.h"

extern Event startEvent;    // automatic reset: a start request for the search thread
extern Event stoppedEvent;  // manual reset: set while the search thread is idle
extern Event startedEvent;  // automatic reset: the search thread has taken up a request

// Undo information of the predicted reply made while pondering (outside the ply stack).
extern PlyRecord ponderRecord;

// Every search gets at most this depth.
inline constexpr std::uint32_t MAX_SEARCH_DEPTH = 127;

// Starts the search thread (once; later calls do nothing).
void createSearchThread();
// At the end of the session: tells the thread to end and waits until it has.
void endSearchThread();

// Starts a search on the current position to depth (at most MAX_SEARCH_DEPTH). The
// caller sets engineState first: the thread searches only when thinking or pondering.
void StartEngine(std::uint32_t depth);
// Stops any search and waits until the thread is idle; leaves engineState at ENGINE_IDLE.
void StopEngine();
// The same at the end of a timed move: a search whose root has just failed low on a
// long budget may first finish its iteration.
void StopEngineConditional();
