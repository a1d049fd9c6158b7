#include "engine_session.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace {

int millisecondsLeft(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

EngineSession::EngineSession(const std::string& workDir) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    signal(SIGPIPE, SIG_IGN);
    pid_ = fork();
    if (pid_ == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
        if (chdir(workDir.c_str()) == 0) execl(ZORVAK_BINARY, ZORVAK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    toEngine_ = toChild[1];
    fromEngine_ = fromChild[0];
}

EngineSession::~EngineSession() {
    if (toEngine_ >= 0) close(toEngine_);
    if (fromEngine_ >= 0) close(fromEngine_);
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void EngineSession::send(const std::string& line) {
    const std::string text = line + "\n";
    std::size_t written = 0;
    while (toEngine_ >= 0 && written < text.size()) {
        const ssize_t n = write(toEngine_, text.data() + written, text.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
}

std::string EngineSession::nextLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    timedOut = false;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        pollfd fd{fromEngine_, POLLIN, 0};
        if (fromEngine_ < 0 || poll(&fd, 1, millisecondsLeft(deadline)) <= 0) break;
        char buffer[4096];
        const ssize_t n = read(fromEngine_, buffer, sizeof buffer);
        if (n <= 0) break;
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
    timedOut = true;
    return "";
}

int EngineSession::finish(int timeoutMs) {
    closeInput();
    return waitForExit(timeoutMs);
}

void EngineSession::closeInput() {
    if (toEngine_ >= 0) close(toEngine_);
    toEngine_ = -1;
}

void EngineSession::sendSignal(int signal) {
    if (pid_ > 0) kill(pid_, signal);
}

int EngineSession::waitForExit(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int status = 0;
    while (pid_ > 0) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (millisecondsLeft(deadline) == 0) break;
        usleep(1000);
    }
    return -1;
}
