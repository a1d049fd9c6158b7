// A search of its own for the tools that analyse games and positions: its own table,
// control and worker, searching on the calling thread, so that several analysers can
// run at once (one per job) without touching the engine's search. To a fixed depth it
// is reproducible: the same positions in the same order give the same results.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "board/position.h"
#include "search/control.h"
#include "search/tt.h"
#include "search/worker.h"

// How far to search each position: a depth, a time, or both (the first reached ends it).
struct AnalysisLimits {
    int depth = 0;                 // 0: no depth limit
    std::uint32_t movetimeMs = 0;  // 0: no time limit
};

struct PositionAnalysis {
    Move best = 0;           // 0 when the position has no legal move
    int score = 0;           // for the side to move, in the search's units (mate scores above MATE_THRESHOLD)
    int depth = 0;           // of the last finished iteration
    std::uint64_t nodes = 0;
    std::vector<Move> line;  // the principal variation, best first
};

// The table's size for one analyser.
inline constexpr std::size_t ANALYSIS_TABLE_MB = TT_DEFAULT_MB;

class Analyser {
public:
    explicit Analyser(std::size_t tableMegabytes = ANALYSIS_TABLE_MB);
    Analyser(const Analyser&) = delete;
    Analyser& operator=(const Analyser&) = delete;

    // Forgets what earlier positions taught (a new game, so that each game's analysis
    // is the same whichever positions came before it).
    void newGame();

    // Searches pos (its game history counts for repetitions) within the limits.
    PositionAnalysis analyse(const Position& pos, const AnalysisLimits& limits);

private:
    TranspositionTable table_;
    SearchControl control_;
    std::unique_ptr<SearchWorker> worker_;
};
