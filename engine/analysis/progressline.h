// A progress line for long analyses: items done of the total, the time taken and an
// estimate of the rest, on standard error when it is a terminal, redrawn in place and
// cleared at the end. Nothing at all when standard error is a file or a pipe.
#pragma once

#include <chrono>
#include <string>

class ProgressLine {
public:
    ProgressLine(const char* items, long total);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void done(long count);

private:
    bool enabled_;
    bool drawn_ = false;
    std::string items_;
    long total_;
    std::chrono::steady_clock::time_point start_;
};
