// Shared by the search tests: a captured trace log and a search run to a depth.
#pragma once

#include <string>

#include "board/types.h"
#include "search/worker.h"
#include "support/build_kind.h"
#include "support/scratch.h"

// Sends the trace log to a temporary file for the life of the object.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;
    std::string text() const;
    std::string path() const { return dir_.file("trace.log"); }
    // Whether the first "-E: " iteration line begins with start.
    bool firstIterationBegins(const std::string& start) const {
        return text().find("-E: ") != std::string::npos && text().find("-E: ") == text().find("-E: " + start);
    }

private:
    TempDir dir_;
};

// The engine's main worker with the game position copied into it, its ply at the root.
SearchWorker& workerOnGamePosition();

// iterativeDeepening of the main worker on the game position set up, with maxDepth =
// depth, no stop, no node limit and the scope's root moves and lines.
Move searchToDepth(int depth, const RootScope& scope = {});
