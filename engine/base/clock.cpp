#include "base/clock.h"

#include <chrono>

namespace {
const auto PROGRAM_START = std::chrono::steady_clock::now();
}

std::uint32_t clockMs() {
    const auto elapsed = std::chrono::steady_clock::now() - PROGRAM_START;
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}
