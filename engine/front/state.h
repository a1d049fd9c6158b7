// Front-end state. The atomics are shared with the search thread; plain
// variables belong to the main thread alone.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"
#include "movegen/movelist.h"

enum EngineState : std::int32_t {
    ENGINE_IDLE = 0,
    ENGINE_THINKING = 1,
    ENGINE_PONDERING = 2,
    ENGINE_WAITING = 3,
    ENGINE_QUITTING = 4,
};

extern std::atomic<EngineState> engineState;
extern std::atomic<std::uint8_t> stopFlag;        // 1: the search must stop now
extern std::atomic<std::uint8_t> ponderEnabled;   // easy / hard
extern std::atomic<Move> ponderMove;              // predicted reply being pondered on, 0 = none
extern std::atomic<std::uint8_t> lastMoveFromBook;
extern std::atomic<std::uint32_t> searchStartMs;  // clock when the search started, 0 after a stop
extern std::atomic<std::int32_t> aspirationState; // -1 after a fail low, +1 after a fail high, else 0
extern std::atomic<std::uint32_t> maxDepth;

// The search's result is the head of the root move list: whatever stands first there
// is the current choice, its key the score. Read only while the search thread is
// idle, so no atomic is needed.
inline MoveEntry& rootBestEntry() { return moveListArray[0]; }
inline Move bestMove() { return moveListArray[0].move; }   // the search's move or a verdict code
inline Score bestScore() { return moveListArray[0].score; }

// Main thread only: whether new, setboard or test has set up a position yet.
// Until then there is nothing to play a move on or to search.
extern bool positionReady;
