// Costs of reading a variation back from the table and of storing a book line.
#include <benchmark/benchmark.h>

#include "board/makemove.h"
#include "board/fen.h"
#include "book/book.h"
#include "search/pv.h"
#include "search/tt.h"

namespace {

// A Ruy Lopez main line, as coordinate squares, each a quiet move or castling.
struct LineMove {
    Square from, to;
    MoveKind kind;
};
constexpr LineMove RUY_LOPEZ[] = {
    {52, 36, KIND_QUIET}, {12, 28, KIND_QUIET}, {62, 45, KIND_QUIET}, {1, 18, KIND_QUIET},
    {61, 25, KIND_QUIET}, {8, 16, KIND_QUIET},  {25, 32, KIND_QUIET}, {6, 21, KIND_QUIET},
    {60, 62, KIND_CASTLE_WHITE_SHORT}, {5, 12, KIND_QUIET}, {61, 60, KIND_QUIET}, {9, 25, KIND_QUIET},
};
constexpr int LINE_LENGTH = sizeof RUY_LOPEZ / sizeof RUY_LOPEZ[0];

void lineCodes(Move* moves) {
    for (int i = 0; i < LINE_LENGTH; ++i)
        moves[i] = makeMoveCode(RUY_LOPEZ[i].from, RUY_LOPEZ[i].to, RUY_LOPEZ[i].kind);
}

void BM_StoreLine(benchmark::State& state) {
    Position board;
    setUpBoard(board, START_FEN);
    TranspositionTable table;
    Move moves[LINE_LENGTH];
    lineCodes(moves);
    if (!storeLine(board, table, moves, LINE_LENGTH)) state.SkipWithError("the line was refused");
    for (auto _ : state) benchmark::DoNotOptimize(storeLine(board, table, moves, LINE_LENGTH));
    state.SetItemsProcessed(state.iterations() * LINE_LENGTH);
}
BENCHMARK(BM_StoreLine);

void BM_PvToText(benchmark::State& state) {
    Position board;
    setUpBoard(board, START_FEN);
    TranspositionTable table;
    Move moves[LINE_LENGTH];
    lineCodes(moves);
    if (!storeLine(board, table, moves, LINE_LENGTH)) state.SkipWithError("the line was refused");
    char buffer[PV_BUFFER_SIZE];
    for (auto _ : state) {
        pvToText(board, table, buffer, LINE_LENGTH);
        benchmark::DoNotOptimize(buffer);
    }
    state.SetItemsProcessed(state.iterations() * LINE_LENGTH);
}
BENCHMARK(BM_PvToText);

}  // namespace
