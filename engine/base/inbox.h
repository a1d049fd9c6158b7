// The interface's input on its way to the main thread. A reader thread appends
// what arrives; the main thread takes it one character at a time and can wait for
// it together with other things (the end of a search, a time limit). A quit request
// (from a termination signal) also arrives here: from then on the input reads as
// ended, whatever was still waiting.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <string>

class Inbox {
public:
    using Clock = std::chrono::steady_clock;
    enum class Wake { INPUT, DONE, DEADLINE, QUIT };

    Inbox() = default;
    explicit Inbox(const std::string& text) { append(text.data(), text.size()); }
    Inbox(const Inbox&) = delete;
    Inbox& operator=(const Inbox&) = delete;

    // ---- Producers (any thread) ----------------------------------------------------
    void append(const char* data, std::size_t size);
    // No more input will come; what is waiting is still read.
    void close();
    // The session must end: the input reads as ended from now on.
    void requestQuit();
    // Wakes a waiting consumer so that it looks at its own condition again.
    void ring();

    // ---- The consumer (one thread) -------------------------------------------------
    // The next character, waiting for it; EOF once the input has ended.
    int get();
    // Puts c back in front of the input (EOF is ignored).
    void unget(int c);
    // The next character if one is waiting, else EOF without waiting.
    int getIfWaiting();
    // Whether a whole line with the next word is waiting (or the input has ended):
    // that word and the arguments on its line can then be read without waiting.
    bool lineWaiting();
    // Whether a whole word is waiting (or the input has ended).
    bool wordWaiting();
    bool quitRequested();

    // Waits until done() holds, a quit is requested, the deadline passes, or a whole
    // line is waiting (only when watchInput); says which, looking in that order. done()
    // is called with the inbox's lock held and must take no lock that is held while
    // ring() is called.
    template <class Done>
    Wake waitUntil(Clock::time_point deadline, bool watchInput, Done done) {
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (quit_) return Wake::QUIT;
            if (done()) return Wake::DONE;
            if (Clock::now() >= deadline) return Wake::DEADLINE;
            if (watchInput && lineWaitingLocked()) return Wake::INPUT;
            changed_.wait_until(lock, deadline);
        }
    }

private:
    bool lineWaitingLocked() const;
    bool endedLocked() const { return quit_ || closed_; }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::string buffer_;
    std::size_t readPosition_ = 0;
    bool closed_ = false;
    bool quit_ = false;
};
