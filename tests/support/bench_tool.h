// zorvak-bench run as a separate program, as a user runs it.
#pragma once

#include <string>

struct BenchToolRun {
    int status;          // exit status, -1 when it did not exit normally
    std::string output;  // what the chosen streams carried
};

// Runs zorvak-bench with the arguments; `streams` is the shell redirection that
// picks what is captured (standard output alone by default).
BenchToolRun runBenchTool(const std::string& arguments, const char* streams = "2>/dev/null");
