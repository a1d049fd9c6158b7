// Micro-benchmarks of the innermost loop: generators, make/unmake with the legality
// test, the exchange evaluator and perft.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "board/makemove.h"
#include "board/fen.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/perft.h"
#include "movegen/see.h"

namespace {

const char* const KIWIPETE = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
const char* const MIDDLE_GAME = "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -";
const char* const IN_CHECK = "7k/8/8/8/K6r/3P4/2P1NP2/1R5Q w - -";  // blocks by every piece type

Position board;
CheckInfo check;
UndoRecord undo;
MoveEntry list[MAX_MOVES_PER_POSITION];

void setUp(const char* fen) {
    if (!setUpBoard(board, fen)) std::abort();
    computeCheckInfo(board, check);
}

void generate(benchmark::State& state, const char* fen, GeneratorKind kind) {
    setUp(fen);
    if (kind == GEN_EVASIONS && !check.checkers) std::abort();
    const MoveGenerator generator = MOVE_GENERATORS[kind][board.sideToMove];
    std::int64_t entries = 0;
    for (auto _ : state) {
        MoveEntry* end = generator(board, list, check);
        benchmark::DoNotOptimize(end);
        entries += end - list;
    }
    state.counters["entries/s"] = benchmark::Counter(static_cast<double>(entries), benchmark::Counter::kIsRate);
}

void BM_GenerateAll(benchmark::State& state) { generate(state, KIWIPETE, GEN_ALL); }
void BM_GenerateAllMiddleGame(benchmark::State& state) { generate(state, MIDDLE_GAME, GEN_ALL); }
void BM_GenerateCaptures(benchmark::State& state) { generate(state, KIWIPETE, GEN_CAPTURES); }
void BM_GenerateEvasions(benchmark::State& state) { generate(state, IN_CHECK, GEN_EVASIONS); }

// Every generated move of the position made, tested and unmade.
void BM_MakeTestUnmake(benchmark::State& state) {
    setUp(KIWIPETE);
    const Side mover = board.sideToMove;
    MoveEntry* const end = MOVE_GENERATORS[GEN_ALL][mover](board, list, check);
    saveUndoInfo(board, undo);
    std::int64_t moves = 0;
    for (auto _ : state) {
        for (MoveEntry* e = list; e != end; ++e) {
            makeMove(board, e->move, undo);
            benchmark::DoNotOptimize(leavesKingAttacked(board, e->move, mover));
            unmakeMove(board, e->move, undo);
        }
        moves += end - list;
    }
    state.counters["moves/s"] = benchmark::Counter(static_cast<double>(moves), benchmark::Counter::kIsRate);
}

// The exchange on a square contested by several pieces of both sides.
void BM_StaticExchange(benchmark::State& state) {
    setUp("2r2rk1/1b3pp1/p3p2p/1p1nq3/3N4/1BP1R1Q1/PP3PPP/4R1K1 w - -");
    const Bitboard* b = board.pieceBoards;
    const Bitboard orth = b[WHITE_ROOK] | b[BLACK_ROOK] | b[WHITE_QUEEN] | b[BLACK_QUEEN];
    const Bitboard diag = b[WHITE_BISHOP] | b[BLACK_BISHOP] | b[WHITE_QUEEN] | b[BLACK_QUEEN];
    const Square from = 41, to = 27;  // Bb3xd5, answered by e6, b7 and the e5 queen
    for (auto _ : state) benchmark::DoNotOptimize(staticExchange(board, WHITE_BISHOP, from, to, orth, diag));
}

void BM_PerftKiwipete(benchmark::State& state) {
    setUp(KIWIPETE);
    const int depth = static_cast<int>(state.range(0));
    std::uint64_t nodes = 0;
    for (auto _ : state) nodes += perft(board, depth);
    state.counters["nodes/s"] = benchmark::Counter(static_cast<double>(nodes), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_GenerateAll);
BENCHMARK(BM_GenerateAllMiddleGame);
BENCHMARK(BM_GenerateCaptures);
BENCHMARK(BM_GenerateEvasions);
BENCHMARK(BM_MakeTestUnmake);
BENCHMARK(BM_StaticExchange);
BENCHMARK(BM_PerftKiwipete)->Arg(3)->Unit(benchmark::kMillisecond);
