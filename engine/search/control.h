// What one search is asked to do and told to stop: written by whoever runs it (the
// front end's main thread, a tool), read by its workers. Every field is an atomic.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

struct SearchWorker;

// What the search thread is asked to do when it is woken.
enum SearchRequest : std::int32_t {
    REQUEST_NONE = 0,    // nothing: the thread only acknowledges
    REQUEST_THINK = 1,   // search for the engine's move
    REQUEST_PONDER = 2,  // search on the predicted reply, on the opponent's time
    REQUEST_QUIT = 3,    // leave the thread
    REQUEST_ANALYZE = 4, // search the position without a limit, for the interface's analysis
};

// Nodes the search may enter before it stops as if told to (no limit: the largest value).
inline constexpr std::uint64_t NO_NODE_LIMIT = UINT64_MAX;

struct SearchControl {
    std::atomic<SearchRequest> request{REQUEST_NONE};
    std::atomic<std::uint8_t> stopFlag{0};         // 1: the search must stop now
    std::atomic<std::uint32_t> maxDepth{0};        // the deepest iteration of this search
    std::atomic<std::uint32_t> startMs{0};         // clock when the search started, 0 after a stop
    std::atomic<std::uint64_t> nodeLimit{NO_NODE_LIMIT};
    // Whether a game position already drawn by rule (repetition, fifty moves, material)
    // is answered with its verdict, unsearched. An interface that judges the game itself
    // wants a move all the same: it turns this off.
    std::atomic<bool> verdictForDrawnRoot{true};
    // The workers of the search, the main one first; set while none of them runs.
    // Empty for a worker that searches alone.
    std::vector<SearchWorker*> team;
};
