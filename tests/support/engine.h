// The real engine binary as a child process over pipes, as an interface runs it, and
// waits on events (output, exit, a file's change), each with a generous limit that
// only fails a hang.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

inline constexpr int HANG_LIMIT_MS = 60000;

class EngineProcess {
public:
    // Starts the engine in workDir; without a Zorvak.book there it plays without a book.
    explicit EngineProcess(const std::string& workDir);
    ~EngineProcess();  // kills the engine if it is still running
    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    void send(const std::string& line) { write(line + "\n"); }
    void write(const std::string& bytes);
    // The next output line (without its line feed), or "" with timedOut set when none came.
    std::string nextLine(int limitMs = HANG_LIMIT_MS);
    bool timedOut = false;
    // All output up to the engine's end of output.
    std::string restOfOutput(int limitMs = HANG_LIMIT_MS);
    void closeInput();
    void sendSignal(int signal);
    // Waits for the engine to end: its exit status, or -1 when it died by a signal or hung.
    int waitForExit(int limitMs = HANG_LIMIT_MS);
    int finish(int limitMs = HANG_LIMIT_MS) { return closeInput(), waitForExit(limitMs); }
    bool running() const { return pid_ > 0; }

private:
    bool readMore(int limitMs);
    pid_t pid_ = -1;
    int toEngine_ = -1, fromEngine_ = -1;
    std::string pending_;
};

// Waits until the file's text satisfies done, woken by each change in its directory.
bool waitForFile(const std::string& path, const std::function<bool(const std::string&)>& done,
                 int limitMs = HANG_LIMIT_MS);
