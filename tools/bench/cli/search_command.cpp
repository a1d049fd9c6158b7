// zorvak-bench search DEPTH "FEN": iterative deepening to DEPTH, its trace on stdout.
#include <cstdio>

#include "command.h"
#include "search_run.h"

namespace {

int runSearchCommand(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorvak-bench search DEPTH \"FEN\"\n");
        return EXIT_BAD_INPUT;
    }
    const int depth = readDepthAndNewGame("search", argv[1], argv[2]);
    if (depth == 0) return EXIT_BAD_INPUT;
    runPrintedSearch(depth);
    return 0;
}

const bool registered =
    registerBenchCommand({"search", "search DEPTH \"FEN\"", runSearchCommand});

}  // namespace
