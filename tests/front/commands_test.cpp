// The command loop in-process: the table's matches and order, the words each
// command consumes, and the input that must not reach the position.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include <unistd.h>

#include "base/log.h"
#include "board/validate.h"
#include "front/commands.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "front_support.h"
#include "search/control.h"
#include "support/board_helpers.h"

namespace {

const char* const AFTER_E4_E5 = "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6";  // pgn-extract

class CommandLoop : public ::testing::Test {
protected:
    void SetUp() override {
        resetFrontState();
        ASSERT_TRUE(openLog(dir.file("loop.log").c_str()));
    }
    void TearDown() override { closeLog(); }

    // Runs the loop over text (the words after the handshake) to its end.
    void run(const std::string& text) {
        Inbox inbox(text);
        inbox.close();
        runCommands(inbox);
    }

    std::vector<std::string> logLines() { return splitLines(readFile(dir.file("loop.log"))); }
    bool logged(const std::string& line) {
        const std::vector<std::string> lines = logLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    TempDir dir;
};

// Runs a block in another working directory: the set-up reads the book from there.
class InDirectory {
public:
    explicit InDirectory(const std::string& path) {
        if (getcwd(saved_, sizeof saved_) == nullptr || chdir(path.c_str()) != 0) saved_[0] = '\0';
    }
    ~InDirectory() {
        if (saved_[0] != '\0' && chdir(saved_) != 0) ADD_FAILURE() << "cannot return to " << saved_;
    }
    InDirectory(const InDirectory&) = delete;
    InDirectory& operator=(const InDirectory&) = delete;
    bool entered() const { return saved_[0] != '\0'; }

private:
    char saved_[4096];
};

}  // namespace

TEST_F(CommandLoop, NewForceAndTwoMoves) {
    run("new\nforce\ne2e4\ne7e5\n");
    EXPECT_EQ(currentFen(), AFTER_E4_E5);
    EXPECT_EQ(validatePosition(), "");
    EXPECT_EQ(engineState, ENGINE_QUITTING);  // the end of input ends the session as quit does
    EXPECT_TRUE(logged("::cmd:: e7e5"));
    EXPECT_TRUE(logged(keyLogLine(keyByRule(START_FEN, AFTER_E4_E5))));
}

TEST_F(CommandLoop, PrefixAndExactMatches) {
    run("news hardware easy");
    EXPECT_TRUE(positionReady);  // news acts as new
    EXPECT_EQ(currentFen(), START_FEN);
    EXPECT_EQ(ponderEnabled, 0);  // hardware is not hard; easy is easy
    resetFrontState();
    run("easy hard");
    EXPECT_EQ(ponderEnabled, 1);
    run("easyish");
    EXPECT_EQ(ponderEnabled, 1);
}

TEST_F(CommandLoop, TimeConsumesItsFourWords) {
    // Were "otim" or a number left over, 30000 ... would be read as words; the
    // easy after them must still be seen as a command.
    run("level 40 5 0 timer 30000 otim 29000 easy");
    EXPECT_EQ(moveTimeMs, 7470u);
    EXPECT_EQ(ponderEnabled, 0);
    // Only otim is the opponent's clock: a second time is a command of its own.
    run("hard time 100000000 time 200 otim 100");
    EXPECT_EQ(moveTimeMs, 20u);  // 100 / 40 centiseconds
    EXPECT_EQ(ponderEnabled, 1);
}

TEST_F(CommandLoop, LevelWithMinutesAndSeconds) {
    run("level 0 2:30 12 easy");
    EXPECT_EQ(movesPerControl, 40u);
    EXPECT_EQ(incrementMs, 12000u);
    EXPECT_EQ(ponderEnabled, 0);
}

TEST_F(CommandLoop, NewAndResultLeaveTheEngineWaitingForceIdle) {
    Inbox blank(" ");
    blank.close();
    CommandInput noArguments(blank);
    EXPECT_TRUE(dispatchWord("new", noArguments));
    EXPECT_EQ(engineState, ENGINE_WAITING);
    EXPECT_TRUE(dispatchWord("force", noArguments));
    EXPECT_EQ(engineState, ENGINE_IDLE);
    EXPECT_TRUE(dispatchWord("result", noArguments));
    EXPECT_EQ(engineState, ENGINE_WAITING);
    EXPECT_TRUE(dispatchWord("black", noArguments));
    EXPECT_EQ(engineState, ENGINE_IDLE);
    EXPECT_FALSE(dispatchWord("quitting", noArguments));
    EXPECT_EQ(engineState, ENGINE_QUITTING);
    const std::vector<std::string> lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "-M: entered StopEngine"), 5);
    EXPECT_EQ(lines.back(), "-M: exited StopEngine");
}

TEST_F(CommandLoop, RefusedSetboardKeepsThePreviousPosition) {
    run("new\nforce\ne2e4\nsetboard 8/8/8/8/8/8/8/8 w - -\ne7e5\n");
    EXPECT_TRUE(logged("-M: tellusererror Illegal position"));
    EXPECT_EQ(currentFen(), AFTER_E4_E5);
}

TEST_F(CommandLoop, NothingTouchesThePositionBeforeItIsSetUp) {
    const PositionSnapshot before = takeSnapshot();
    run("e2e4 go white black e7e5 setboard 8/8/8/8/8/8/8/8 w - -\ne2e4\ngo\n");
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_FALSE(positionReady);
}

TEST_F(CommandLoop, UnsafeMovesAreAnsweredAsIllegalAndLeaveThePosition) {
    run("new force");
    engineState = ENGINE_IDLE;  // as force left it; the end of the input above quit
    const PositionSnapshot before = takeSnapshot();
    testing::internal::CaptureStdout();
    run("e7e5 e2e5 e1g1 a1a1");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Illegal move: e7e5\nIllegal move: e2e5\nIllegal move: e1g1\n");
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST_F(CommandLoop, WhiteAndBlackSwitchTheSideOnlyWhenSafe) {
    run("new force e2e4 white");
    EXPECT_EQ(currentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -");
    EXPECT_EQ(validatePosition(), "");
    run("setboard 4k3/8/8/8/8/8/8/4R1K1 b - -\nwhite");
    EXPECT_EQ(currentFen(), "4k3/8/8/8/8/8/8/4R1K1 b - -");
    EXPECT_EQ(engineState, ENGINE_QUITTING);
}

TEST_F(CommandLoop, BenchmarkAndConverterWords) {
    testing::internal::CaptureStdout();
    run("game2pgn easy hard benchmark pgn2game a b");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Cannot open GAME input file: 'easy'\nDefine __STAT\nCannot open PGN input file: 'a'\n");
    EXPECT_EQ(ponderEnabled, 1);  // easy and hard were game2pgn's file names
    EXPECT_FALSE(logged("::cmd:: easy"));
}

// test: the start position and a budget of days, so the search runs until it ends
// by itself; here the interface's `?` ends it, and the engine plays its move.
TEST_F(CommandLoop, TestSearchesTheStartWithAnOpenBudget) {
    Inbox inbox("test\n");
    std::thread interface([&inbox] {
        for (int waited = 0; engineState != ENGINE_THINKING && waited < 10'000; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        inbox.append("?\n", 2);
        inbox.close();
    });
    const InDirectory bookless(dir.path);  // no book: the search must move
    ASSERT_TRUE(bookless.entered());
    testing::internal::CaptureStdout();
    runCommands(inbox);
    interface.join();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(moveTimeMs, 1030864170u);
    EXPECT_EQ(out.rfind("tellusererror BOOK ERROR!\nmove ", 0), 0u) << out;
    EXPECT_EQ(position.sideToMove, BLACK);  // the engine's move stands; a ponder move was taken back
    EXPECT_EQ(historyTop - gameHistory, 1);
    EXPECT_TRUE(logged("-M: entered StopEngineConditional"));
}
