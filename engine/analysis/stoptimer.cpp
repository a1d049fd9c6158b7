#include "analysis/stoptimer.h"

#include <chrono>

StopTimer::StopTimer(std::atomic<std::uint8_t>& stopFlag, std::uint32_t afterMs) {
    thread_ = std::thread([this, &stopFlag, afterMs] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!cancelled_.wait_for(lock, std::chrono::milliseconds(afterMs), [this] { return done_; }))
            stopFlag.store(1, std::memory_order_relaxed);
    });
}

StopTimer::~StopTimer() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    cancelled_.notify_one();
    thread_.join();
}
