#include "search/search_helpers.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "base/log.h"
#include "search/control.h"
#include "search/root.h"
#include "support/board_helpers.h"

LogCapture::LogCapture() {
    char name[] = "/tmp/zorvak-search-test-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd >= 0) ::close(fd);
    path_ = name;
    EXPECT_TRUE(openLog(path_.c_str()));
}

LogCapture::~LogCapture() {
    closeLog();
    ::unlink(path_.c_str());
}

std::string LogCapture::text() const {
    std::ifstream in(path_);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

std::string LogCapture::firstIterationLine() const {
    std::istringstream lines(text());
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("-E: ", 0) == 0) return line;
    return "";
}

Move searchToDepth(int depth) {
    maxDepth.store(static_cast<std::uint32_t>(depth));
    stopFlag.store(0);
    return iterativeDeepening();
}

void playGameMoves(std::initializer_list<const char*> words) {
    for (const char* word : words) {
        saveUndoInfo(testUndo[0]);
        makeMove(coordinateMove(word), testUndo[0]);
    }
}
