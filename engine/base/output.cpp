#include "base/output.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace {
std::mutex outputMutex;
}

void sendLine(const char* format, ...) {
    const std::lock_guard<std::mutex> lock(outputMutex);
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
    std::fflush(stdout);
}
