#include "search_run.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "base/log.h"
#include "game/gameposition.h"
#include "game/setup.h"
#include "movegen/notation.h"
#include "search/control.h"
#include "search/pv.h"
#include "search/root.h"
#include "search/searchconst.h"
#include "search/searchthread.h"

namespace {

// The trace goes to a temporary log that is copied to stdout afterwards: a second
// descriptor on stdout would write over the output when it is a file.
struct TemporaryLog {
    char path[32] = "/tmp/zorvak-search-XXXXXX";
    bool open = false;

    TemporaryLog() {
        const int fd = ::mkstemp(path);
        if (fd < 0) return;
        ::close(fd);
        open = openLog(path);
    }
    ~TemporaryLog() {
        closeLog();
        if (open) ::unlink(path);
    }
    void copyToStdout() const {
        if (!open) return;
        closeLog();
        if (std::FILE* in = std::fopen(path, "r")) {
            char buffer[4096];
            std::size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) std::fwrite(buffer, 1, n, stdout);
            std::fclose(in);
        }
    }
};

}  // namespace

SearchRun runSearch(int depth) {
    using Clock = std::chrono::steady_clock;
    // The engine's own main worker searches the game position here, in this thread,
    // so that its tables carry over from search to search as in a game.
    SearchWorker& w = mainWorker();
    w.pos = gamePosition;
    w.control.maxDepth.store(static_cast<std::uint32_t>(depth), std::memory_order_relaxed);
    w.control.stopFlag.store(0, std::memory_order_relaxed);
    w.control.nodeLimit.store(NO_NODE_LIMIT, std::memory_order_relaxed);
    const Clock::time_point started = Clock::now();
    const Move move = iterativeDeepening(w);
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started).count();
    return {move, w.bestScore(), nodesOf(w), static_cast<std::uint64_t>(micros)};
}

int readDepthAndNewGame(const char* command, const char* depthText, const char* fen) {
    char* end = nullptr;
    const long depth = std::strtol(depthText, &end, 10);
    if (end == depthText || *end != '\0' || depth < FIRST_ITERATION_DEPTH || depth > MAX_SEARCH_DEPTH) {
        std::fprintf(stderr, "zorvak-bench %s: depth must be a number from %d to %d, not \"%s\"\n", command,
                     FIRST_ITERATION_DEPTH, MAX_SEARCH_DEPTH, depthText);
        return 0;
    }
    if (!setPosition(fen, false)) {
        std::fprintf(stderr, "zorvak-bench %s: cannot read the position \"%s\"\n", command, fen);
        return 0;
    }
    return static_cast<int>(depth);
}

SearchRun runPrintedSearch(int depth) {
    SearchRun run;
    {
        const TemporaryLog log;
        run = runSearch(depth);
        log.copyToStdout();
    }
    char text[32];
    std::printf("bestmove %s score %d nodes %llu ", resultText(text, run.move), run.score,
                static_cast<unsigned long long>(run.nodes));
    printTimeLine(run.nodes, run.micros);
    return run;
}

const char* resultText(char* buffer, Move move) {
    // The principal variation's texts cover mate, stalemate and repetition; the
    // search answers the other draws by rule at the root too.
    if (move == VERDICT_FIFTY_MOVES) return "1/2 - 1/2 (fifty moves)";
    if (move == VERDICT_NO_MATERIAL) return "1/2 - 1/2 (insufficient material)";
    if (moveKind(move) == KIND_NO_MOVE) return pseudoMoveText(move);
    *moveToText(buffer, move) = '\0';
    return buffer;
}

void printTimeLine(std::uint64_t nodes, std::uint64_t micros) {
    const std::uint64_t nps = micros > 0 ? nodes * 1000000 / micros : 0;
    std::printf("time %llu ms nps %llu\n", static_cast<unsigned long long>(micros / 1000),
                static_cast<unsigned long long>(nps));
}
