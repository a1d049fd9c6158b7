// zorvak-bench search DEPTH "FEN": iterative deepening to DEPTH, its trace on stdout.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "base/log.h"
#include "command.h"
#include "game/setup.h"
#include "search/searchconst.h"
#include "search_run.h"

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

int runSearchCommand(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: zorvak-bench search DEPTH \"FEN\"\n");
        return EXIT_BAD_INPUT;
    }
    char* end = nullptr;
    const long depth = std::strtol(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0' || depth < FIRST_ITERATION_DEPTH || depth > MAX_SEARCH_DEPTH) {
        std::fprintf(stderr, "zorvak-bench search: depth must be a number from %d to %d, not \"%s\"\n",
                     FIRST_ITERATION_DEPTH, MAX_SEARCH_DEPTH, argv[1]);
        return EXIT_BAD_INPUT;
    }
    if (!setPosition(argv[2], false)) {
        std::fprintf(stderr, "zorvak-bench search: cannot read the position \"%s\"\n", argv[2]);
        return EXIT_BAD_INPUT;
    }
    const TemporaryLog log;
    const SearchRun run = runSearch(static_cast<int>(depth));
    log.copyToStdout();
    char text[32];
    std::printf("bestmove %s score %d nodes %llu ", resultText(text, run.move), run.score,
                static_cast<unsigned long long>(run.nodes));
    printTimeLine(run.nodes, run.micros);
    return 0;
}

const bool registered =
    registerBenchCommand({"search", "search DEPTH \"FEN\"", runSearchCommand});

}  // namespace
