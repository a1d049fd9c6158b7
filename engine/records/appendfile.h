// An output file that games are appended to whole: each game's bytes (a GAME
// record, a PGN game, a game's position lines) are gathered into large writes,
// and a write that fails is cut back off the file, which so never ends inside a
// game. Only the games in writes that succeeded are counted as written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Opens path for appending, created when missing; false when it cannot be.
    bool open(const char* path);
    // Cuts an existing file back to its first size bytes, before anything is added.
    bool cutTo(std::uint64_t size);
    // One game's bytes; written with the next full chunk or at flush().
    void add(std::string_view game);
    // Writes what has been added. Raises "CANNOT WRITE OUTPUT FILE" after cutting
    // the failed write back off the file; nothing more is written then.
    void flush();
    // Games in writes that succeeded.
    int gamesWritten() const { return written_; }

private:
    void writePending();

    int fd_ = -1;
    std::uint64_t size_ = 0;  // the file's bytes, all of whole games
    std::string pending_;
    int pendingGames_ = 0;
    int written_ = 0;
    bool failed_ = false;
};
