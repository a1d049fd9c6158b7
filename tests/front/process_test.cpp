// The real engine binary over pipes: the log, the keys of a whole game, and input
// meant to break it. (Conversations are in script_test.cpp.)
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "board/fen.h"
#include "engine_process.h"
#include "front_support.h"
#include "support/data_files.h"

namespace {

const std::string HANDSHAKE =
    "\nfeature done=0\nfeature setboard=1\nfeature myname=\"Zorvak\" ping=1 sigint=0 sigterm=0 analyze=1 colors=0 "
    "usermove=0 reuse=1 draw=0 name=0 ics=0\nfeature done=1\n";
// Sent by every set-up of the initial position: the scratch directory holds no book.
const std::string BOOK_ERROR = "tellusererror BOOK ERROR!\n";
const std::string ILLEGAL_POSITION = "tellusererror Illegal position\n";

class EngineProcess : public ::testing::Test {
protected:
    EngineRun run(const std::string& input, bool closeInput = true) {
        EngineRun result = runEngine(dir.path, input, closeInput);
        lines = splitLines(result.log);
        return result;
    }
    bool logged(const std::string& line) const { return std::find(lines.begin(), lines.end(), line) != lines.end(); }
    long count(const std::string& line) const { return std::count(lines.begin(), lines.end(), line); }

    TempDir dir;
    std::vector<std::string> lines;
};

void expectCleanExit(const EngineRun& r) {
    EXPECT_TRUE(r.exited) << "the engine hung or died (signal " << r.signal << ")";
    EXPECT_EQ(r.exitStatus, 0);
}

}  // namespace

TEST_F(EngineProcess, LogIsEmptiedAndCreatedWithMode0644) {
    {
        std::ofstream old(dir.file("Zorvak.log"));
        old << "left over from the last run\n";
    }
    expectCleanExit(run("xboard\n"));
    EXPECT_FALSE(logged("left over from the last run"));
    std::remove(dir.file("Zorvak.log").c_str());
    expectCleanExit(run("xboard\n"));
    struct stat info {};
    ASSERT_EQ(stat(dir.file("Zorvak.log").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(EngineProcess, ForceModeGameLogsTheKeyOfEveryPosition) {
    const std::vector<RecordedGame> games = loadRecordedGames();
    ASSERT_FALSE(games.empty());
    const RecordedGame& game = games.front();
    std::string input = "xboard\nnew\nforce\n";
    for (const std::string& move : game.moves) input += move + "\n";

    const EngineRun r = run(input);
    expectCleanExit(r);
    EXPECT_EQ(r.output, HANDSHAKE + BOOK_ERROR);  // force mode: nothing else is sent
    // Each move's "::cmd:: " line is followed by the key of the position it leads to.
    std::vector<std::string> keyLines;
    for (std::size_t i = 0; i + 1 < lines.size() && keyLines.size() < game.moves.size(); ++i)
        if (lines[i] == "::cmd:: " + game.moves[keyLines.size()]) keyLines.push_back(lines[i + 1]);
    ASSERT_EQ(keyLines.size(), game.moves.size()) << game.name;
    for (std::size_t i = 0; i < game.moves.size(); ++i)
        EXPECT_EQ(keyLines[i], keyLogLine(keyByRule(game.fens[0], game.fens[i + 1])))
            << game.name << " ply " << i + 1 << " " << game.moves[i];
}

TEST_F(EngineProcess, OverLongWordAndSetboardLine) {
    // Either remainder would read as "quit" if it were split off into words.
    const std::string longWord = std::string(255, 'x') + "quit" + std::string(9741, 'x');
    std::string longLine = "setboard " + std::string(START_FEN);
    while (longLine.size() < 5000) longLine += " quit";
    const EngineRun r = run("xboard\n" + longWord + "\n" + longLine + "\nforce\ne2e4\n");
    expectCleanExit(r);
    EXPECT_TRUE(logged("-M: ignored a word longer than 255 characters"));
    EXPECT_FALSE(logged("::cmd:: quit"));
    EXPECT_EQ(count("-M: tellusererror Illegal position"), 0);
    EXPECT_TRUE(logged(keyLogLine(keyByRule(START_FEN, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"))));
}

TEST_F(EngineProcess, MovesAndGoBeforeAnyPositionOrAfterRefusedOnes) {
    const char* unsafe[] = {
        "8/8/8/8/8/8/8/8 w - -",                                         // no kings
        "4k3/8/8/8/8/8/8/2K1K3 w - -",                                   // two white kings
        "4k3/8/8/8/8/8/8/4R1K1 w - -",                                   // side not to move in check
        "4k3/pppppppp/p7/8/8/8/8/4K3 w - -",                             // nine black pawns
        "4k3/8/8/8/8/8/8/P3K3 w - -",                                    // pawn on the first rank
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e3",         // impossible en-passant square
        "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq e6",         // no pawn passed e6
        "4k3/8/8/8/8/8/8/4K3 w - -",                                     // a safe one at last
    };
    std::string input = "xboard\ne2e4\ngo\nwhite\nblack\ne7e5\n";
    for (const char* fen : unsafe) input += std::string("setboard ") + fen + "\ne2e4\ngo\ne1e2\n";
    input += "new\nforce\ne2e4\n";
    const EngineRun r = run(input);
    expectCleanExit(r);
    // The last set-up is a safe position, where e2e4 finds no pawn; go finds the bare
    // kings drawn before moving, and after e1e2 (for White) so it does for Black.
    const std::string drawn = "1/2-1/2 {Draw by insufficient material to mate (4)}\n";
    std::string refusals;
    for (int i = 0; i < 7; ++i) refusals += ILLEGAL_POSITION;
    EXPECT_EQ(r.output, HANDSHAKE + refusals + "Illegal move: e2e4\n" + drawn + drawn + BOOK_ERROR);
    EXPECT_EQ(count("-M: tellusererror Illegal position"), 7);
    std::vector<std::string> keyLines;
    for (const std::string& line : lines)
        if (isKeyLogLine(line)) keyLines.push_back(line);
    const std::vector<std::string> expected = {
        keyLogLine(keyByRule("4k3/8/8/8/8/8/8/4K3 w - -", "4k3/8/8/8/8/8/4K3/8 b - -")),
        keyLogLine(keyByRule(START_FEN, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3")),
    };
    EXPECT_EQ(keyLines, expected);
}

TEST_F(EngineProcess, BinaryGarbageNeitherCrashesNorHangs) {
    std::mt19937 random(20240607);
    std::string garbage;
    while (garbage.size() < 20000) {
        const char c = static_cast<char>(random() & 0xFF);
        // Letters could spell real commands by chance; everything else may come.
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) garbage += c;
    }
    const EngineRun r = run("xboard\n" + garbage + "\nnew\nforce\ne2e4\n");
    expectCleanExit(r);
    EXPECT_EQ(r.output, HANDSHAKE + BOOK_ERROR);
    EXPECT_TRUE(logged(keyLogLine(keyByRule(START_FEN, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3"))));
}

TEST_F(EngineProcess, EndOfInputInsideASetboardLine) {
    const EngineRun r = run("xboard\nsetboard " + std::string(START_FEN));
    expectCleanExit(r);
    EXPECT_TRUE(logged("setboard  " + std::string(START_FEN)));
    EXPECT_TRUE(logged("-M: end of input"));
}
