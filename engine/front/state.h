// Front-end state. The atomics are read by other threads (tests watch the
// engine's state); plain variables belong to the main thread alone.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"

enum EngineState : std::int32_t {
    ENGINE_IDLE = 0,
    ENGINE_THINKING = 1,
    ENGINE_PONDERING = 2,
    ENGINE_WAITING = 3,
    ENGINE_QUITTING = 4,
    ENGINE_ANALYZING = 5,  // the interface's analysis: searching the game position without a limit
};

extern std::atomic<EngineState> engineState;
extern std::atomic<std::uint8_t> ponderEnabled;   // easy / hard

// Main thread only: whether new, setboard or test has set up a position yet.
// Until then there is nothing to play a move on or to search.
extern bool positionReady;
// Main thread only: analyze mode is on (from analyze until exit or a command that
// leaves it); the analysis restarts after each change of the position.
extern bool analyzeMode;
// Main thread only: UCI's OwnBook option, whether the engine plays from its book.
extern bool ownBook;
// Main thread only: the MultiPV option, the best lines a search finds and shows (every
// search under UCI; the analysis under xboard, whose games are played on one line).
extern int multiPvLines;
