// Transposition-table costs: a probe that hits, a probe that misses, a store,
// and the repetition scan of the draw test.
#include <benchmark/benchmark.h>

#include <memory>

#include "board/makemove.h"
#include "board/fen.h"
#include "search/draw.h"
#include "search/tt.h"

namespace {

constexpr int KEY_COUNT = 1 << 16;

// Fixed pseudo-random keys spread over the whole table (splitmix64).
const HashKey* benchKeys() {
    static HashKey keys[KEY_COUNT];
    static bool filled = false;
    if (!filled) {
        HashKey x = 0x2545F4914F6CDD1DULL;
        for (HashKey& k : keys) {
            HashKey z = (x += 0x9E3779B97F4A7C15ULL);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            k = z ^ (z >> 31);
        }
        filled = true;
    }
    return keys;
}

// The table looks only at the key and the side to move of a position.
Position& standOn(HashKey key, int i) {
    static Position board;
    board.hashKey = key;
    board.sideToMove = i & 1;
    return board;
}

void BM_StoreTable(benchmark::State& state) {
    TranspositionTable table;
    const HashKey* keys = benchKeys();
    int i = 0;
    for (auto _ : state) {
        table.store(standOn(keys[i & (KEY_COUNT - 1)], i), i & 15, i % 3, i & 255, static_cast<Move>(i));
        ++i;
    }
}
BENCHMARK(BM_StoreTable);

void BM_ProbeTableHit(benchmark::State& state) {
    TranspositionTable table;
    const HashKey* keys = benchKeys();
    for (int i = 0; i < KEY_COUNT; ++i) table.store(standOn(keys[i], i), 5, BOUND_EXACT, 0, static_cast<Move>(i));
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.probe(standOn(keys[i & (KEY_COUNT - 1)], i)));
        ++i;
    }
}
BENCHMARK(BM_ProbeTableHit);

void BM_ProbeTableMiss(benchmark::State& state) {
    TranspositionTable table;
    const HashKey* keys = benchKeys();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.probe(standOn(keys[i & (KEY_COUNT - 1)], i)));
        ++i;
    }
}
BENCHMARK(BM_ProbeTableMiss);

// The draw test inside the tree after a long run of reversible plies (the worst case).
void BM_CheckDrawLongScan(benchmark::State& state) {
    const auto board = std::make_unique<Position>();
    setUpBoard(*board, "4k3/8/8/8/8/8/8/4K2R w - -");
    for (int i = 1; i <= 99; ++i) {
        board->history[i] = GameHistoryEntry{};
        board->history[i].setKey(0xABC00000ULL + static_cast<HashKey>(i));
        board->history[i].reversibleCount = static_cast<std::uint16_t>(i);
    }
    board->historyTop = &board->history[99];
    for (auto _ : state) benchmark::DoNotOptimize(checkDraw(*board, 1));
}
BENCHMARK(BM_CheckDrawLongScan);

}  // namespace
