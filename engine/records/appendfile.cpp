#include "records/appendfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "records/gamerecord.h"

AppendFile::~AppendFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool AppendFile::open(const char* path) {
    fd_ = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, OUTPUT_FILE_MODE);
    if (fd_ < 0) return false;
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return false;
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
    return true;
}

bool AppendFile::cutTo(std::uint64_t size) {
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return false;
    size_ = size;
    return true;
}

void AppendFile::add(std::string_view game) {
    pending_.append(game);
    ++pendingGames_;
    if (pending_.size() >= APPEND_CHUNK_BYTES) writePending();
}

void AppendFile::flush() {
    if (!pending_.empty() || failed_) writePending();
}

void AppendFile::writePending() {
    if (failed_) throw RecordError(CANNOT_WRITE_OUTPUT_FILE);
    std::size_t done = 0;
    while (done < pending_.size()) {
        const ssize_t n = ::write(fd_, pending_.data() + done, pending_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // Whatever part of the chunk reached the file goes again: the file ends
            // with the last whole game written before.
            failed_ = true;
            if (::ftruncate(fd_, static_cast<off_t>(size_)) != 0) {
                // A special file that cannot be cut (a full device) has kept nothing anyway.
            }
            throw RecordError(CANNOT_WRITE_OUTPUT_FILE);
        }
        done += static_cast<std::size_t>(n);
    }
    size_ += pending_.size();
    written_ += pendingGames_;
    pending_.clear();
    pendingGames_ = 0;
}
