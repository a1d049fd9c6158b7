#include "support/engine.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "support/scratch.h"

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point after(int limitMs) { return Clock::now() + std::chrono::milliseconds(limitMs); }
int millisecondsLeft(Clock::time_point deadline) {
    return static_cast<int>(std::max<long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count()));
}

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

EngineProcess::EngineProcess(const std::string& workDir) {
    // The working folder's book comes first: an empty one keeps the engine from
    // finding the default book beside the binary when the test laid none.
    if (!fileExists(workDir + "/Zorvak.book")) writeFile(workDir + "/Zorvak.book", "");
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    signal(SIGPIPE, SIG_IGN);  // an engine that died early must fail the test, not kill it
    pid_ = fork();
    if (pid_ == 0) {
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
        umask(0);  // so the log's mode is exactly the one the engine asks for
        if (chdir(workDir.c_str()) == 0) execl(ZORVAK_BINARY, ZORVAK_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    toEngine_ = toChild[1];
    fromEngine_ = fromChild[0];
}

EngineProcess::~EngineProcess() {
    closeFd(toEngine_);
    closeFd(fromEngine_);
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void EngineProcess::write(const std::string& bytes) {
    for (std::size_t written = 0; toEngine_ >= 0 && written < bytes.size();) {
        const ssize_t n = ::write(toEngine_, bytes.data() + written, bytes.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
}

bool EngineProcess::readMore(int limitMs) {
    pollfd fd{fromEngine_, POLLIN, 0};
    if (fromEngine_ < 0 || poll(&fd, 1, limitMs) <= 0) return false;
    char buffer[4096];
    const ssize_t n = read(fromEngine_, buffer, sizeof buffer);
    if (n <= 0) return closeFd(fromEngine_), false;
    pending_.append(buffer, static_cast<std::size_t>(n));
    return true;
}

std::string EngineProcess::nextLine(int limitMs) {
    const auto deadline = after(limitMs);
    timedOut = false;
    while (pending_.find('\n') == std::string::npos)
        if (!readMore(millisecondsLeft(deadline))) return timedOut = true, "";
    std::string line = pending_.substr(0, pending_.find('\n'));
    pending_.erase(0, line.size() + 1);
    return line;
}

std::string EngineProcess::restOfOutput(int limitMs) {
    const auto deadline = after(limitMs);
    while (readMore(millisecondsLeft(deadline))) {
    }
    return std::move(pending_);
}

void EngineProcess::closeInput() { closeFd(toEngine_); }

void EngineProcess::sendSignal(int signal) {
    if (pid_ > 0) kill(pid_, signal);
}

int EngineProcess::waitForExit(int limitMs) {
    if (pid_ <= 0) return -1;
    int ended = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));  // readable once the child has ended
    pollfd fd{ended, POLLIN, 0};
    // Without pidfds (kernels before 5.3) the wait blocks, and ctest's own limit catches a hang.
    const bool exited = ended < 0 || poll(&fd, 1, limitMs) == 1;
    closeFd(ended);
    int status = 0;
    if (!exited || waitpid(pid_, &status, 0) != pid_) return -1;
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool waitForFile(const std::string& path, const std::function<bool(const std::string&)>& done, int limitMs) {
    const auto deadline = after(limitMs);
    const int watch = inotify_init1(IN_CLOEXEC);
    const std::string directory = std::filesystem::path(path).parent_path().string();
    inotify_add_watch(watch, directory.c_str(), IN_MODIFY | IN_CREATE | IN_CLOSE_WRITE);
    bool found = done(readFile(path));
    for (pollfd fd{watch, POLLIN, 0}; !found && poll(&fd, 1, millisecondsLeft(deadline)) == 1;) {
        char events[4096];
        if (read(watch, events, sizeof events) <= 0) break;
        found = done(readFile(path));
    }
    close(watch);
    return found;
}
