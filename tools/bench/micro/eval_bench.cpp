// Evaluations per second over positions from real games.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "board/fen.h"
#include "eval/evaluate.h"
#include "eval/pawns.h"

namespace {

// tools/bench/micro/ -> tests/data/
std::string realPositionsPath() {
    std::string path = __FILE__;
    path.resize(path.rfind("tools/bench/micro/"));
    return path + "tests/data/real_positions.fen";
}

// Every readable position of the file, set up once and kept as a copy of the board.
const std::vector<Position>& realPositions() {
    static const std::vector<Position> positions = [] {
        std::vector<Position> result;
        std::ifstream in(realPositionsPath());
        for (std::string line; std::getline(in, line);)
            if (Position p; !line.empty() && line[0] != '#' && setUpBoard(p, line.c_str())) result.push_back(p);
        return result;
    }();
    return positions;
}

// With the pawn cache as the search sees it: warm after the first round.
void BM_EvaluateRealPositions(benchmark::State& state) {
    const std::vector<Position>& positions = realPositions();
    if (positions.empty()) {
        state.SkipWithError("no positions: tests/data/real_positions.fen not found");
        return;
    }
    PawnHashTable pawnCache;
    pawnCache.clear();
    for (auto _ : state) {
        for (const Position& p : positions) benchmark::DoNotOptimize(evaluate(p, pawnCache));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
}
BENCHMARK(BM_EvaluateRealPositions);

// The pawn structure computed afresh every time: the cost of a cache miss.
void BM_PawnStructureUncached(benchmark::State& state) {
    const std::vector<Position>& positions = realPositions();
    for (auto _ : state) {
        for (const Position& p : positions) benchmark::DoNotOptimize(pawnStructureScore(p));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(positions.size()));
}
BENCHMARK(BM_PawnStructureUncached);


}  // namespace
