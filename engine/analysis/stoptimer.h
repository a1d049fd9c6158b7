// Raises a stop flag after a time unless it is cancelled first (the end of the search
// it limits). The waiting thread ends with the object.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class StopTimer {
public:
    StopTimer(std::atomic<std::uint8_t>& stopFlag, std::uint32_t afterMs);
    ~StopTimer();
    StopTimer(const StopTimer&) = delete;
    StopTimer& operator=(const StopTimer&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable cancelled_;
    bool done_ = false;
    std::thread thread_;
};
