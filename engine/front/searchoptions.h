// The engine's threads and transposition table as the interface sets them: UCI's
// Threads, Hash and Clear Hash, xboard's cores and memory; and the number of best
// lines, MultiPV under both. Each change is logged; the result says what to tell the
// user (always when something was refused). The book, which lives in the table, is
// written again after the table is cleared or resized. Main thread, search idle (the
// number of lines counts from the next search on: any time).
#pragma once

#include <cstddef>
#include <string>

struct OptionResult {
    bool applied;
    std::string message;  // what the engine uses now, or why it refused
};

// UCI Threads and xboard cores: the number of search threads.
OptionResult setThreadsOption(const std::string& value);
// UCI Hash: the table's megabytes.
OptionResult setHashOption(const std::string& value);
// xboard memory: the engine's whole memory in megabytes; the table gets what its fixed
// needs (a few megabytes, and per thread its stack of moves and pawn cache) leave.
OptionResult setMemoryOption(const std::string& value);
// UCI Clear Hash: the table emptied (the book written again).
OptionResult clearHashOption();
// MultiPV: the best lines a search finds, MIN_PV_LINES to MAX_PV_LINES.
OptionResult setMultiPvOption(const std::string& value);

// The table's size in megabytes, rounded.
std::size_t hashMegabytes();
