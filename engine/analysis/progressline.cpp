#include "analysis/progressline.h"

#include <unistd.h>

#include <cstdio>

namespace {

std::string duration(long seconds) {
    char text[32];
    if (seconds >= 3600)
        std::snprintf(text, sizeof text, "%ldh%02ldm", seconds / 3600, seconds / 60 % 60);
    else
        std::snprintf(text, sizeof text, "%ldm%02lds", seconds / 60, seconds % 60);
    return text;
}

}  // namespace

ProgressLine::ProgressLine(const char* items, long total)
    : enabled_(::isatty(STDERR_FILENO) == 1), items_(items), total_(total), start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
    if (drawn_) std::fprintf(stderr, "\r\033[K");
}

void ProgressLine::done(long count) {
    if (!enabled_) return;
    const long elapsed = static_cast<long>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start_).count());
    const std::string rest = count > 0 ? ", about " + duration(elapsed * (total_ - count) / count) + " left" : "";
    std::fprintf(stderr, "\r%ld/%ld %s, %s%s\033[K", count, total_, items_.c_str(), duration(elapsed).c_str(),
                 rest.c_str());
    drawn_ = true;
}
