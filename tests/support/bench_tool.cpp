#include "support/bench_tool.h"

#include <sys/wait.h>

#include <cstdio>

BenchToolRun runBenchTool(const std::string& arguments, const char* streams) {
    const std::string command = std::string("'") + ZORVAK_BENCH_BINARY + "' " + arguments + " " + streams;
    BenchToolRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}
