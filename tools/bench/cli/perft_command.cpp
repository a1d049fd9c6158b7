// zorvak-bench perft / divide / moves: leaf counts and generator lists of a position.
#include <chrono>
#include <cstdio>
#include <memory>
#include <cstdlib>

#include "board/fen.h"
#include "command.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/notation.h"
#include "movegen/perft.h"

namespace {

bool setUpOrComplain(Position& pos, const char* fen) {
    if (setUpBoard(pos, fen)) return true;
    std::fprintf(stderr, "zorvak-bench: cannot read the position \"%s\"\n", fen);
    return false;
}

// DEPTH argument: 1..MAX_PERFT_DEPTH, 0 when it is anything else.
int readDepth(const char* text) {
    char* end = nullptr;
    const long depth = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || depth < 1 || depth > MAX_PERFT_DEPTH) {
        std::fprintf(stderr, "zorvak-bench: depth must be a number from 1 to %d, not \"%s\"\n", MAX_PERFT_DEPTH, text);
        return 0;
    }
    return static_cast<int>(depth);
}

// Reads DEPTH and FEN and sets the position up; 0 when the arguments are unusable.
int prepare(Position& pos, int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorvak-bench %s DEPTH \"FEN\"\n", argv[0]);
        return 0;
    }
    const int depth = readDepth(argv[1]);
    if (depth == 0 || !setUpOrComplain(pos, argv[2])) return 0;
    return depth;
}

using Clock = std::chrono::steady_clock;

void printSummary(std::uint64_t nodes, Clock::time_point started) {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started).count();
    const std::uint64_t nps = micros > 0 ? nodes * 1000000 / static_cast<std::uint64_t>(micros) : 0;
    std::printf("nodes %llu time %lld ms nps %llu\n", static_cast<unsigned long long>(nodes),
                static_cast<long long>(micros / 1000), static_cast<unsigned long long>(nps));
}

int runPerft(int argc, char** argv) {
    const auto pos = std::make_unique<Position>();
    const int depth = prepare(*pos, argc, argv);
    if (depth == 0) return EXIT_BAD_INPUT;
    const Clock::time_point started = Clock::now();
    const std::uint64_t nodes = perft(*pos, depth);
    printSummary(nodes, started);
    return 0;
}

int runDivide(int argc, char** argv) {
    const auto pos = std::make_unique<Position>();
    const int depth = prepare(*pos, argc, argv);
    if (depth == 0) return EXIT_BAD_INPUT;
    static RootMoveCount counts[MAX_MOVES_PER_POSITION];
    const Clock::time_point started = Clock::now();
    const int rootMoves = perftDivide(*pos, depth, counts);
    std::uint64_t nodes = 0;
    for (int i = 0; i < rootMoves; ++i) {
        char text[MOVE_TEXT_SIZE];
        moveToText(text, counts[i].move);
        std::printf("%s: %llu\n", text, static_cast<unsigned long long>(counts[i].leaves));
        nodes += counts[i].leaves;
    }
    printSummary(nodes, started);
    return 0;
}

void printList(const MoveEntry* begin, const MoveEntry* end) {
    for (const MoveEntry* e = begin; e != end; ++e) {
        char text[MOVE_TEXT_SIZE];
        moveToText(text, e->move);
        std::printf("%s %d %d\n", text, e->score, moveKind(e->move));
    }
}

int runMoves(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zorvak-bench moves \"FEN\"\n");
        return EXIT_BAD_INPUT;
    }
    const auto pos = std::make_unique<Position>();
    if (!setUpOrComplain(*pos, argv[1])) return EXIT_BAD_INPUT;
    CheckInfo check;
    computeCheckInfo(*pos, check);
    const Side side = pos->sideToMove;
    const bool inCheck = check.checkers != 0;
    static MoveEntry list[2 * MAX_MOVES_PER_POSITION];
    MoveEntry* end = MOVE_GENERATORS[inCheck ? GEN_EVASIONS : GEN_ALL][side](*pos, list, check);
    std::printf("%s\n", inCheck ? "evasions" : "all");
    printList(list, end);
    if (inCheck) return 0;
    MoveEntry* const captures = end;
    end = MOVE_GENERATORS[GEN_CAPTURES][side](*pos, captures, check);
    std::printf("captures\n");
    printList(captures, end);
    return 0;
}

const bool registered = registerBenchCommand({"perft", "perft DEPTH \"FEN\"", runPerft}) &&
                        registerBenchCommand({"divide", "divide DEPTH \"FEN\"", runDivide}) &&
                        registerBenchCommand({"moves", "moves \"FEN\"", runMoves});

}  // namespace
