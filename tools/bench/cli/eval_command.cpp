// zorvak-bench eval "FEN": the static evaluation from the side to move's point of view.
#include <cstdio>
#include <memory>

#include "board/fen.h"
#include "command.h"
#include "eval/evaluate.h"

namespace {

int runEval(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zorvak-bench eval \"FEN\"\n");
        return EXIT_BAD_INPUT;
    }
    const auto pos = std::make_unique<Position>();
    if (!setUpBoard(*pos, argv[1])) {
        std::fprintf(stderr, "zorvak-bench eval: cannot set up this position: %s\n", argv[1]);
        return EXIT_BAD_INPUT;
    }
    PawnHashTable pawnCache;
    pawnCache.clear();
    std::printf("%d\n", evaluate(*pos, pawnCache));
    return 0;
}

const bool registered = registerBenchCommand({"eval", "eval \"FEN\"", runEval});

}  // namespace
