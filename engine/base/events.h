// Signalling objects for the hand-over between the main thread and the search
// thread: an automatic-reset event lets one wait through and clears itself, a
// manual-reset event stays set until it is reset. Setting, resetting and
// waiting synchronise the threads (everything written before a set is visible
// after the wait that sees it).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

class Event {
public:
    enum class Reset { AUTOMATIC, MANUAL };

    explicit Event(Reset reset) : reset_(reset) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    // Waits until the event is set; an automatic-reset event is cleared again.
    void wait();
    // The same for at most timeoutMs milliseconds; false when the time ran out.
    bool waitFor(std::uint64_t timeoutMs);
    // Whether the event is set now (a look that clears nothing).
    bool isSet();

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool signalled_ = false;
    const Reset reset_;
};
