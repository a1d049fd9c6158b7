// The real engine binary over pipes with input no script can hold: its log file and
// input meant to break it. (Conversations are in
// script_test.cpp.)
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <random>

#include "board/fen.h"
#include "support/board_helpers.h"
#include "support/engine.h"
#include "support/scratch.h"

namespace {

const std::string HANDSHAKE =
    "\nfeature done=0\nfeature setboard=1\nfeature myname=\"Zorvak\" ping=1 sigint=0 sigterm=0 analyze=1 colors=0 "
    "usermove=0 reuse=1 draw=0 name=0 ics=0 smp=1 memory=1 exclude=1\nfeature option=\"MultiPV -spin 1 1 64\"\n"
    "feature done=1\n";

struct Ended {
    int status;
    std::string output;
    std::vector<std::string> log;
    bool logged(const std::string& line) const { return std::find(log.begin(), log.end(), line) != log.end(); }
};

// Runs the engine in dir over the whole input, to its end.
Ended runToEnd(const TempDir& dir, const std::string& input) {
    EngineProcess engine(dir.path);
    engine.write(input);
    engine.closeInput();
    std::string output = engine.restOfOutput();
    const int status = engine.waitForExit();
    return {status, output, splitLines(readFile(dir.file("Zorvak.log")))};
}

std::string garbage() {
    std::mt19937 random(20240607);
    std::string bytes;
    while (bytes.size() < 20000) {
        const char c = static_cast<char>(random() & 0xFF);
        // Letters could spell real commands by chance; everything else may come.
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) bytes += c;
    }
    return bytes;
}

std::string setboardPaddedWithQuits() {
    std::string line = "setboard " + std::string(START_FEN);
    while (line.size() < 5000) line += " quit";
    return line;
}

}  // namespace

// Hostile input: the engine neither crashes nor hangs, and reads on as it should. Its log
// is created with mode 0644, or emptied when the last run left one.
TEST(EngineProcess, InputMeantToBreakIt) {
    const struct {
        const char* name;
        std::string input, output, logLine;  // output and logLine checked unless empty
        bool leftOverLog = false;             // the last run's log lies in the directory
    } cases[] = {
        // Either remainder would read as "quit" if it were split off into words.
        {"an over-long word and setboard line",
         std::string(255, 'x') + "quit" + std::string(9741, 'x') + "\n" + setboardPaddedWithQuits() + "\nforce\ne2e4\n",
         "", "-M: ignored a word longer than 255 characters"},
        {"binary garbage", garbage() + "\nnew\nforce\ne2e4\n", HANDSHAKE + "tellusererror BOOK ERROR!\n", ""},
        {"the end of input inside a setboard line", "setboard " + std::string(START_FEN), "",
         "setboard  " + std::string(START_FEN)},
        {"new force e2e4 over the last run's log", "new\nforce\ne2e4\n", HANDSHAKE + "tellusererror BOOK ERROR!\n", "", true},
    };
    setUpOrFail(START_FEN);
    playMoves({"e2e4"});
    const std::string e2e4 = keyLogLine(gamePosition.hashKey);
    for (const auto& c : cases) {
        TempDir dir;
        if (c.leftOverLog) writeFile(dir.file("Zorvak.log"), "left over from the last run\n");
        const Ended run = runToEnd(dir, "xboard\n" + c.input);
        struct stat log {};
        EXPECT_EQ(stat(dir.file("Zorvak.log").c_str(), &log), 0);
        EXPECT_TRUE(c.leftOverLog || (log.st_mode & 0777) == 0644u) << c.name;
        EXPECT_FALSE(run.logged("left over from the last run")) << c.name;
        EXPECT_EQ(run.status, 0) << c.name;
        EXPECT_TRUE(c.output.empty() || run.output == c.output) << c.name << ":\n" << run.output;
        EXPECT_FALSE(run.logged("::cmd:: quit")) << c.name;
        EXPECT_FALSE(run.logged("-M: tellusererror Illegal position")) << c.name;
        EXPECT_TRUE(c.logLine.empty() || run.logged(c.logLine)) << c.name;
        EXPECT_TRUE(run.logged(c.input.back() == '\n' ? e2e4 : "-M: end of input")) << c.name;
    }
}
