#include "base/inputthread.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

namespace {

constexpr char WAKE_QUIT = 'T';  // written by the SIGTERM handler
constexpr char WAKE_STOP = 'S';  // written by stopInputThread
constexpr std::size_t READ_CHUNK = 4096;

int wakePipe[2] = {-1, -1};
std::atomic<int> wakeWriteFd{-1};
std::thread inputThread;

extern "C" void onTerminationSignal(int) {
    const int savedErrno = errno;
    const int fd = wakeWriteFd.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const char wake = WAKE_QUIT;
        [[maybe_unused]] const ssize_t ignored = ::write(fd, &wake, 1);
    }
    errno = savedErrno;
}

bool openWakePipe() {
    if (wakePipe[0] >= 0) return true;
    if (::pipe2(wakePipe, O_CLOEXEC) != 0) return false;
    ::fcntl(wakePipe[1], F_SETFL, O_NONBLOCK);  // a full pipe drops the byte, never blocks the handler
    wakeWriteFd = wakePipe[1];
    return true;
}

// Reads what the wake pipe holds: false when the thread is to end.
bool serveWakeBytes(Inbox& inbox) {
    char bytes[16];
    const ssize_t n = ::read(wakePipe[0], bytes, sizeof bytes);
    for (ssize_t i = 0; i < n; ++i) {
        if (bytes[i] == WAKE_STOP) return false;
        if (bytes[i] == WAKE_QUIT) inbox.requestQuit();
    }
    return true;
}

void readInput(Inbox& inbox, int fd) {
    bool inputOpen = true;
    for (;;) {
        pollfd fds[2] = {{wakePipe[0], POLLIN, 0}, {fd, POLLIN, 0}};
        if (::poll(fds, inputOpen ? 2 : 1, -1) < 0) continue;  // EINTR: a signal came in
        if ((fds[0].revents & POLLIN) && !serveWakeBytes(inbox)) return;
        if (!inputOpen || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        char chunk[READ_CHUNK];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            inbox.append(chunk, static_cast<std::size_t>(n));
        } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
            inbox.close();
            inputOpen = false;  // still serves the wake pipe until told to stop
        }
    }
}

}  // namespace

void installSignalHandling() {
    std::signal(SIGINT, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    if (!openWakePipe()) return;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}

void startInputThread(Inbox& inbox, int fd) {
    if (inputThread.joinable() || !openWakePipe()) return;
    inputThread = std::thread(readInput, std::ref(inbox), fd);
}

void stopInputThread() {
    if (!inputThread.joinable()) return;
    const char wake = WAKE_STOP;
    while (::write(wakePipe[1], &wake, 1) < 0 && errno == EINTR) {
    }
    inputThread.join();
}
