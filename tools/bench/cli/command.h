// Subcommands of zorvak-bench register themselves here, one file each.
#pragma once

struct BenchCommand {
    const char* name;
    const char* usage;  // shown by the help text
    int (*run)(int argc, char** argv);  // argv[0] is the subcommand name
};

// Exit status for input the tool cannot read (a bad FEN, a bad number).
inline constexpr int EXIT_BAD_INPUT = 2;

bool registerBenchCommand(const BenchCommand& command);
