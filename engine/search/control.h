// The search's control state and its result. The main thread writes the request,
// the limits and the stop flag; the search thread reads them and writes the
// aspiration state and the result. Shared values are atomics.
#pragma once

#include <atomic>
#include <cstdint>

#include "search/plyrecord.h"

// What the search thread is asked to do when it is woken.
enum SearchRequest : std::int32_t {
    REQUEST_NONE = 0,    // nothing: the thread only acknowledges
    REQUEST_THINK = 1,   // search for the engine's move
    REQUEST_PONDER = 2,  // search on the predicted reply, on the opponent's time
    REQUEST_QUIT = 3,    // leave the thread
    REQUEST_ANALYZE = 4, // search the position without a limit, for the interface's analysis
};

extern std::atomic<SearchRequest> searchRequest;
extern std::atomic<std::uint8_t> stopFlag;         // 1: the search must stop now
extern std::atomic<std::uint32_t> maxDepth;        // the deepest iteration of this search
extern std::atomic<std::uint32_t> searchStartMs;   // clock when the search started, 0 after a stop
extern std::atomic<std::int32_t> aspirationState;  // -1 after a fail low, +1 after a fail high, else 0
// Nodes the search may enter before it stops as if told to (no limit: the largest value).
inline constexpr std::uint64_t NO_NODE_LIMIT = UINT64_MAX;
extern std::atomic<std::uint64_t> nodeLimit;
// Whether a game position already drawn by rule (repetition, fifty moves, material) is
// answered with its verdict, unsearched. An interface that judges the game itself wants
// a move all the same: it turns this off.
extern std::atomic<bool> verdictForDrawnRoot;

// The search's result is the head of the root move list: whatever stands first there
// is the current choice, its key the score. Read only while the search thread is
// idle, so no atomic is needed.
inline MoveEntry& rootBestEntry() { return moveListArray[0]; }
inline Move bestMove() { return moveListArray[0].move; }  // the search's move or a verdict code
inline Score bestScore() { return moveListArray[0].score; }
