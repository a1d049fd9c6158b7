// The real engine binary as an interactive opponent: the test writes lines and
// waits for the engine's output lines, as an interface does during a game.
#pragma once

#include <sys/types.h>

#include <string>

class EngineSession {
public:
    explicit EngineSession(const std::string& workDir);
    ~EngineSession();  // kills the engine if it is still running
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    void send(const std::string& line);
    // The next output line (without its line feed), or "" with timedOut set when
    // none came within timeoutMs.
    std::string nextLine(int timeoutMs);
    bool timedOut = false;
    // Closes the engine's input and waits for it to end; its exit status, or -1
    // when it had to be killed or died by a signal.
    int finish(int timeoutMs);
    // The same without closing its input first.
    int waitForExit(int timeoutMs);
    void closeInput();
    void sendSignal(int signal);
    bool running() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
    int toEngine_ = -1;
    int fromEngine_ = -1;
    std::string pending_;
};
