#include "base/log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <mutex>


namespace {

std::mutex logMutex;
int logFd = -1;

void writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return;  // a log that cannot be written must not stop the engine
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
}

}  // namespace

bool openLog(const char* path) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, LOG_FILE_MODE);
    std::lock_guard<std::mutex> lock(logMutex);
    if (logFd >= 0) ::close(logFd);
    logFd = fd;
    return fd >= 0;
}

void closeLog() {
    std::lock_guard<std::mutex> lock(logMutex);
    if (logFd >= 0) ::close(logFd);
    logFd = -1;
}

void logLine(const char* format, ...) {
    char line[LOG_LINE_SIZE];
    va_list args;
    va_start(args, format);
    const int wanted = std::vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (wanted < 0) return;
    size_t length = static_cast<size_t>(wanted) < sizeof line - 2 ? static_cast<size_t>(wanted) : sizeof line - 2;
    if (length == 0 || line[length - 1] != '\n') line[length++] = '\n';

    std::lock_guard<std::mutex> lock(logMutex);
    if (logFd >= 0) writeAll(logFd, line, length);
}
