// A progress line for long conversions: games read and games per second, on
// standard error when it is a terminal, redrawn in place and cleared at the end.
// Nothing at all when standard error is a file or a pipe.
#pragma once

#include <chrono>

#include "records/recordconst.h"

class Progress {
public:
    Progress();
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // One game more.
    void tick() {
        if (enabled_ && ++games_ % PROGRESS_CHECK_GAMES == 0) draw();
    }

private:
    void draw();

    bool enabled_;
    bool drawn_ = false;
    long games_ = 0;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
};
