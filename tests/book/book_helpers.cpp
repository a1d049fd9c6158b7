#include "book_helpers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "board/makemove.h"
#include "book/book.h"
#include "search/tt.h"
#include "support/board_helpers.h"

std::string bookRecordWithCount(int countByte, const std::vector<Move>& moves) {
    std::string bytes(1, static_cast<char>(countByte));
    for (Move m : moves) {
        bytes += static_cast<char>(m & 0xFF);
        bytes += static_cast<char>(m >> 8);
    }
    return bytes;
}

std::string bookRecord(const std::vector<Move>& moves) {
    return bookRecordWithCount(static_cast<int>(moves.size()), moves);
}

std::string bookFile(const std::string& countLine, const std::vector<std::vector<Move>>& lines) {
    std::string bytes = countLine;
    for (const std::vector<Move>& line : lines) bytes += bookRecord(line);
    return bytes;
}

Move bookMoveHere() {
    const HashEntry* entry = probeTable();
    return entry && isBookEntry(*entry) ? entryMove(*entry) : 0;
}

namespace {
int recordsInUse = 0;  // the next free undo record
}  // namespace

void playOnRecords(const std::vector<Move>& moves) {
    for (Move m : moves) {
        saveUndoInfo(testUndo[recordsInUse]);
        makeMove(m, testUndo[recordsInUse++]);
    }
}

void takeBackFromRecords(const std::vector<Move>& moves) {
    for (auto m = moves.rbegin(); m != moves.rend(); ++m) unmakeMove(*m, testUndo[--recordsInUse]);
}

std::uint32_t seedPicking(long wanted, long lineCount) {
    for (std::uint32_t seed = 1; seed < 100000; ++seed)
        if (pickBookLine(seed, lineCount) == wanted) return seed;
    ADD_FAILURE() << "no seed picks line " << wanted << " of " << lineCount;
    return 0;
}

InDirectory::InDirectory(const std::string& path) {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    if (!error && chdir(path.c_str()) == 0) saved_ = here.string();
}

InDirectory::~InDirectory() {
    if (!saved_.empty() && chdir(saved_.c_str()) != 0) ADD_FAILURE() << "cannot return to " << saved_;
}

std::string defaultLinesPath() { return std::string(ZORVAK_TEST_DATA) + "/../../book/lines.txt"; }

std::string builtBookPath() {
    return (std::filesystem::path(ZORVAK_BINARY).parent_path() / BOOK_FILE_NAME).string();
}
