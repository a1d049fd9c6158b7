// zorvak-bench bench: a fixed set of positions searched to a fixed depth. The total
// node count ("Bench: N") is the same on every run and machine: the signature that
// a change of search behaviour quotes.
#include <cstdint>
#include <cstdio>

#include "game/setup.h"
#include "command.h"
#include "search_run.h"

namespace {

constexpr int BENCH_DEPTH = 8;

// The start, kiwipete, positions from real games (tests/data/real_positions.fen) and endgames.
constexpr const char* BENCH_POSITIONS[] = {
    START_FEN,
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
    "r1b1kb1r/pp1nqpp1/2p1Nn1p/8/3P4/3B1N2/PPP2PPP/R1BQ1RK1 b kq -",
    "2r3k1/r2nqpp1/p3b2p/2pp4/8/Q3PN2/PP2BPPP/2R2RK1 w - -",
    "rnbqk2r/pp2ppbp/2pp1np1/8/3PP3/2N1BP2/PPPQ2PP/R3KBNR b KQkq -",
    "rn3r2/pbppq1p1/1p2pN1k/4N3/3P4/3B4/PPP2PPP/R3K2R w KQ -",
    "r4kr1/pbNn1q1p/1p6/2p2BPQ/5B2/8/P6P/b4RK1 w - -",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -",
    "8/8/4k3/3p4/3P1K2/8/5P2/8 w - -",
};

int runBench(int argc, char** argv) {
    if (argc != 1) {
        std::fprintf(stderr, "usage: zorvak-bench %s\n", argv[0]);
        return EXIT_BAD_INPUT;
    }
    std::uint64_t nodes = 0, micros = 0;
    for (const char* fen : BENCH_POSITIONS) {
        if (!setPosition(fen, false)) {  // a new game each: no search inherits a table
            std::fprintf(stderr, "zorvak-bench bench: bad position \"%s\"\n", fen);
            return EXIT_BAD_INPUT;
        }
        const SearchRun run = runSearch(BENCH_DEPTH);
        char text[32];
        std::printf("%-70s %-6s %10llu nodes\n", fen, resultText(text, run.move),
                    static_cast<unsigned long long>(run.nodes));
        nodes += run.nodes;
        micros += run.micros;
    }
    std::printf("Bench: %llu\n", static_cast<unsigned long long>(nodes));
    printTimeLine(nodes, micros);
    return 0;
}

const bool registered = registerBenchCommand({"bench", "bench", runBench});

}  // namespace
