// zorvak-bench: developer tools on the engine library (perft, evaluation, searches, games, bench).
#include <cstdio>
#include <cstring>
#include <vector>

#include "command.h"

namespace {
std::vector<BenchCommand>& commands() {
    static std::vector<BenchCommand> list;
    return list;
}

int printUsage() {
    std::fprintf(stderr, "usage: zorvak-bench COMMAND [ARGS]\n");
    for (const BenchCommand& c : commands()) std::fprintf(stderr, "  zorvak-bench %s\n", c.usage);
    return EXIT_BAD_INPUT;
}
}  // namespace

bool registerBenchCommand(const BenchCommand& command) {
    commands().push_back(command);
    return true;
}

int main(int argc, char** argv) {
    if (argc < 2) return printUsage();
    for (const BenchCommand& c : commands())
        if (std::strcmp(c.name, argv[1]) == 0) return c.run(argc - 1, argv + 1);
    std::fprintf(stderr, "zorvak-bench: unknown command '%s'\n", argv[1]);
    return printUsage();
}
