#include "base/inbox.h"

namespace {

// Consumed input is dropped once this much has piled up before the read position.
constexpr std::size_t COMPACT_AFTER = 4096;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

void Inbox::append(const char* data, std::size_t size) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (closed_ || quit_) return;
        // Everything before the last character read has been consumed for good (only
        // that one may still be put back).
        if (readPosition_ > COMPACT_AFTER) {
            buffer_.erase(0, readPosition_ - 1);
            readPosition_ = 1;
        }
        buffer_.append(data, size);
    }
    changed_.notify_all();
}

void Inbox::close() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

void Inbox::requestQuit() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
}

void Inbox::ring() {
    // Taking the lock orders the ring after a waiter's look at its condition: the
    // waiter either saw the change already or is waiting and gets the notification.
    { const std::lock_guard<std::mutex> lock(mutex_); }
    changed_.notify_all();
}

int Inbox::get() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return endedLocked() || readPosition_ < buffer_.size(); });
    if (quit_ || readPosition_ >= buffer_.size()) return EOF;
    return static_cast<unsigned char>(buffer_[readPosition_++]);
}

void Inbox::unget(int c) {
    if (c == EOF) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    if (readPosition_ > 0) --readPosition_;
}

int Inbox::getIfWaiting() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (quit_ || readPosition_ >= buffer_.size()) return EOF;
    return static_cast<unsigned char>(buffer_[readPosition_++]);
}

bool Inbox::lineWaitingLocked() const {
    if (endedLocked()) return true;
    // Blank lines before it do not count: reading the next word would wait past them.
    std::size_t at = readPosition_;
    while (at < buffer_.size() && isBlank(buffer_[at])) ++at;
    return at < buffer_.size() && buffer_.find('\n', at) != std::string::npos;
}

bool Inbox::lineWaiting() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return lineWaitingLocked();
}

bool Inbox::wordWaiting() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (endedLocked()) return true;
    std::size_t at = readPosition_;
    while (at < buffer_.size() && isBlank(buffer_[at])) ++at;
    const std::size_t start = at;
    while (at < buffer_.size() && !isBlank(buffer_[at])) ++at;
    return at > start && at < buffer_.size();  // a blank after it: the word is whole
}

bool Inbox::quitRequested() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return quit_;
}
