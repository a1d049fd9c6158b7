#include "records/progress.h"

#include <unistd.h>

#include <cstdio>

Progress::Progress() : enabled_(::isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now()) {}

Progress::~Progress() {
    if (drawn_) std::fprintf(stderr, "\r\033[K");
}

void Progress::draw() {
    const auto now = std::chrono::steady_clock::now();
    const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(now - start_).count();
    const auto sinceDraw = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastDraw_).count();
    if (sinceStart < PROGRESS_FIRST_MS || (drawn_ && sinceDraw < PROGRESS_INTERVAL_MS)) return;
    std::fprintf(stderr, "\r%ld games read, %ld games/s\033[K", games_, games_ * 1000 / sinceStart);
    drawn_ = true;
    lastDraw_ = now;
}
