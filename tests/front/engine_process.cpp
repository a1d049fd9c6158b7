#include "engine_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "front_support.h"

namespace {

struct Pipes {
    int toChild[2] = {-1, -1};
    int fromChild[2] = {-1, -1};
};

[[noreturn]] void startChild(const std::string& workDir, const Pipes& p) {
    dup2(p.toChild[0], STDIN_FILENO);
    dup2(p.fromChild[1], STDOUT_FILENO);
    for (int fd : {p.toChild[0], p.toChild[1], p.fromChild[0], p.fromChild[1]}) close(fd);
    umask(0);  // so the log's mode is exactly the one the engine asks for
    if (chdir(workDir.c_str()) == 0) execl(ZORVAK_BINARY, ZORVAK_BINARY, static_cast<char*>(nullptr));
    _exit(127);
}

void closeFd(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace

EngineRun runEngine(const std::string& workDir, const std::string& input, bool closeInput, int deadlineMs) {
    EngineRun run;
    Pipes p;
    if (pipe(p.toChild) != 0 || pipe(p.fromChild) != 0) return run;
    signal(SIGPIPE, SIG_IGN);  // an engine that died early must fail the test, not kill it
    const pid_t pid = fork();
    if (pid == 0) startChild(workDir, p);
    closeFd(p.toChild[0]);
    closeFd(p.fromChild[1]);
    int& toEngine = p.toChild[1];
    int& fromEngine = p.fromChild[0];
    fcntl(toEngine, F_SETFL, O_NONBLOCK);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
    std::size_t written = 0;
    int status = 0;
    bool reaped = false;
    while (!reaped) {
        if (written == input.size() && closeInput) closeFd(toEngine);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd fds[2] = {{fromEngine, POLLIN, 0}, {toEngine, POLLOUT, 0}};
        const nfds_t count = (toEngine >= 0 && written < input.size()) ? 2 : 1;
        poll(fds, fromEngine >= 0 ? count : 0, static_cast<int>(std::min<long>(left.count(), 50)));
        if (fromEngine >= 0 && (fds[0].revents & (POLLIN | POLLHUP))) {
            char buffer[4096];
            const ssize_t n = read(fromEngine, buffer, sizeof buffer);
            if (n > 0) run.output.append(buffer, static_cast<std::size_t>(n));
            if (n == 0) closeFd(fromEngine);
        }
        if (count == 2 && (fds[1].revents & (POLLOUT | POLLERR))) {
            const ssize_t n = write(toEngine, input.data() + written, input.size() - written);
            if (n > 0) written += static_cast<std::size_t>(n);
            if (n < 0 && errno != EAGAIN) written = input.size();  // the engine closed its input
        }
        if (fromEngine < 0) reaped = waitpid(pid, &status, WNOHANG) == pid;
    }
    if (!reaped) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    closeFd(toEngine);
    closeFd(fromEngine);
    run.exited = reaped && WIFEXITED(status);
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    if (!reaped) run.exited = false;
    run.log = readFile(workDir + "/Zorvak.log");
    return run;
}
