// Runs the real engine binary as a child with pipes, in a directory of its own,
// never waiting longer than a deadline.
#pragma once

#include <string>

struct EngineRun {
    std::string output;  // everything the engine wrote to standard output
    std::string log;     // Zorvak.log afterwards
    bool exited = false; // ended by itself (not killed at the deadline)
    int exitStatus = -1; // when exited normally
    int signal = 0;      // when ended by a signal
};

// Writes input to the engine; closes its standard input afterwards when
// closeInput is set, else keeps it open until the engine ends or the deadline.
EngineRun runEngine(const std::string& workDir, const std::string& input, bool closeInput, int deadlineMs = 20000);
