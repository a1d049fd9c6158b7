#include "base/events.h"

#include <chrono>

void Event::set() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        signalled_ = true;
    }
    if (reset_ == Reset::MANUAL)
        changed_.notify_all();
    else
        changed_.notify_one();
}

void Event::reset() {
    const std::lock_guard<std::mutex> lock(mutex_);
    signalled_ = false;
}

void Event::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return signalled_; });
    if (reset_ == Reset::AUTOMATIC) signalled_ = false;
}

bool Event::waitFor(std::uint64_t timeoutMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return signalled_; })) return false;
    if (reset_ == Reset::AUTOMATIC) signalled_ = false;
    return true;
}

bool Event::isSet() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return signalled_;
}
