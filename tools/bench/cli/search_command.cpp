// zorvak-bench search DEPTH "FEN": iterative deepening to DEPTH, its trace on stdout.
#include <cstdio>

#include "command.h"
#include "game/setup.h"
#include "search_run.h"

namespace {

int runSearchCommand(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorvak-bench search DEPTH \"FEN\"\n");
        return EXIT_BAD_INPUT;
    }
    const int depth = readSearchDepth("search", argv[1]);
    if (depth == 0) return EXIT_BAD_INPUT;
    if (!setPosition(argv[2], false)) {
        std::fprintf(stderr, "zorvak-bench search: cannot read the position \"%s\"\n", argv[2]);
        return EXIT_BAD_INPUT;
    }
    runPrintedSearch(depth);
    return 0;
}

const bool registered =
    registerBenchCommand({"search", "search DEPTH \"FEN\"", runSearchCommand});

}  // namespace
