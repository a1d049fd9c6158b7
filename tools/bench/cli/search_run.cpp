#include "search_run.h"

#include <chrono>
#include <cstdio>

#include "movegen/notation.h"
#include "search/control.h"
#include "search/pv.h"
#include "search/root.h"
#include "search/searchstate.h"

SearchRun runSearch(int depth) {
    using Clock = std::chrono::steady_clock;
    maxDepth.store(static_cast<std::uint32_t>(depth), std::memory_order_relaxed);
    stopFlag.store(0, std::memory_order_relaxed);
    const Clock::time_point started = Clock::now();
    const Move move = iterativeDeepening();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started).count();
    return {move, bestScore(), searchNodes, static_cast<std::uint64_t>(micros)};
}

const char* resultText(char* buffer, Move move) {
    if (moveKind(move) == KIND_NO_MOVE) return pseudoMoveText(move);
    *moveToText(buffer, move) = '\0';
    return buffer;
}

void printTimeLine(std::uint64_t nodes, std::uint64_t micros) {
    const std::uint64_t nps = micros > 0 ? nodes * 1000000 / micros : 0;
    std::printf("time %llu ms nps %llu\n", static_cast<unsigned long long>(micros / 1000),
                static_cast<unsigned long long>(nps));
}
