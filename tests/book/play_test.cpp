// The book at play time: playBookMove on the table, the set-up's book step, and
// the engine to move in the command loop with a book in the working directory.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/log.h"
#include "book/book.h"
#include "book_helpers.h"
#include "front/commands.h"
#include "front/state.h"
#include "front/think.h"
#include "front/timecontrol.h"
#include "game/gamemove.h"
#include "search/control.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

const std::string BOOK_ERROR_OUTPUT = "tellusererror BOOK ERROR!\n";
const std::string BOOK_ERROR_LOG = "-\ttellusererror BOOK ERROR!";

class BookPlay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(openLog(dir.file("book.log").c_str()));
        positionReady = false;
        engineState = ENGINE_IDLE;
        lastMoveFromBook = 0;
        stopFlag = 0;
        ponderEnabled = 1;
        setLevel(40, 0);
        setEngineClock(30000);  // 300 s: 7470 ms a move
    }
    void TearDown() override { closeLog(); }

    std::vector<std::string> logLines() { return splitLines(readFile(dir.file("book.log"))); }
    long logged(const std::string& line) {
        const std::vector<std::string> lines = logLines();
        return std::count(lines.begin(), lines.end(), line);
    }
    // Runs the command loop over text to its end.
    static void run(const std::string& text) {
        Inbox inbox(text);
        inbox.close();
        runCommands(inbox);
    }

    TempDir dir;
};

}  // namespace

TEST_F(BookPlay, ABookMoveIsPlayedAnnouncedAndLogged) {
    setUpOrFail(START_FEN);
    storeBookMove(E2E4);
    testing::internal::CaptureStdout();
    EXPECT_TRUE(playBookMove());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "move e2e4\n");
    EXPECT_EQ(currentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");  // pgn-extract
    EXPECT_EQ(logged("-M: move(book): e2e4"), 1);
    EXPECT_EQ(lastMoveFromBook, 1);
    EXPECT_EQ(engineState, ENGINE_WAITING);
    EXPECT_EQ(moveTimeMs, 7470u);
}

TEST_F(BookPlay, TheFirstPositionOutOfTheBookTriplesTheBudgetOnce) {
    setUpOrFail(START_FEN);
    lastMoveFromBook = 1;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(playBookMove());
    EXPECT_EQ(moveTimeMs, 22410u);  // 3 x 7470, below the cap of 40 x 7470 / 10
    EXPECT_EQ(lastMoveFromBook, 0);
    EXPECT_FALSE(playBookMove());
    EXPECT_EQ(moveTimeMs, 22410u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(currentFen(), START_FEN);
}

TEST_F(BookPlay, EntriesThatAreNoBookMoveHereAreNeverPlayed) {
    setUpOrFail(START_FEN);
    const PositionSnapshot start = takeSnapshot();
    testing::internal::CaptureStdout();
    // A matching key with another position's move (a key collision): Black's e7e5.
    storeBookMove(E7E5);
    EXPECT_FALSE(playBookMove());
    storeBookMove(VERDICT_MATED);
    EXPECT_FALSE(playBookMove());
    storeBookMove(0);
    EXPECT_FALSE(playBookMove());
    // A search result is no book entry.
    setUpOrFail(START_FEN);
    storeTable(5, BOUND_EXACT, 20, E2E4);
    EXPECT_FALSE(playBookMove());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(takeSnapshot() == start);
    EXPECT_EQ(logged("-M: move(book): e2e4"), 0);
}

TEST_F(BookPlay, TheSetUpLoadsTheBookOrReportsItsError) {
    writeFile(dir.file(BOOK_FILE_NAME), bookFile("1\n", {{E2E4, E7E5}}));
    const InDirectory inBookDir(dir.path);
    ASSERT_TRUE(inBookDir.entered());
    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition(START_FEN, true));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(bookMoveHere(), E2E4);
    EXPECT_EQ(hashAge, 1);  // the search's age again after the load

    // Any other position has no book to load: nothing failed, nothing is said.
    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -", true));
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -", true));  // Black to move
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(logged(BOOK_ERROR_LOG), 0);
    EXPECT_EQ(bookMoveHere(), 0);  // the table was cleared and nothing loaded

    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition(START_FEN, false));  // the game tools' set-up: no book
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(bookMoveHere(), 0);

    writeFile(dir.file(BOOK_FILE_NAME), "not a book");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition(START_FEN, true));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), BOOK_ERROR_OUTPUT);
    EXPECT_EQ(logged(BOOK_ERROR_LOG), 1);
    const std::vector<std::string> lines = logLines();
    const auto error = std::find(lines.begin(), lines.end(), BOOK_ERROR_LOG);
    ASSERT_NE(error, lines.end());
    ASSERT_NE(error + 1, lines.end());
    EXPECT_EQ(*(error + 1), "");  // an empty line follows it
}

TEST_F(BookPlay, ACountOfThreeWithTwoLinesReportsTheErrorAndStillPlays) {
    writeFile(dir.file(BOOK_FILE_NAME), bookFile("3\n", {{E2E4, E7E5}, {D2D4, D7D5}}));
    const InDirectory inBookDir(dir.path);
    ASSERT_TRUE(inBookDir.entered());
    testing::internal::CaptureStdout();
    run("easy\nnew\ngo\n");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(out == BOOK_ERROR_OUTPUT + "move e2e4\n" || out == BOOK_ERROR_OUTPUT + "move d2d4\n") << out;
    EXPECT_EQ(logged(BOOK_ERROR_LOG), 1);
}

// One line e2e4 e7e5: new and go play e2e4 from the book; after e7e5 the engine
// searches with three times the budget the clock gives.
TEST_F(BookPlay, TheEngineFollowsTheBookThenSearchesLonger) {
    writeFile(dir.file(BOOK_FILE_NAME), bookFile("1\n", {{E2E4, E7E5}}));
    const InDirectory inBookDir(dir.path);
    ASSERT_TRUE(inBookDir.entered());
    testing::internal::CaptureStdout();
    // time 100: one second left, 100 / 40 centiseconds = 20 ms a move. The ping
    // waits for the searched move (the end of input would stop the search).
    run("easy\nnew\ntime 100\notim 100\ngo\ntime 100\notim 100\ne7e5\nping 1\n");
    const std::string out = testing::internal::GetCapturedStdout();
    const std::vector<std::string> lines = splitLines(out);
    ASSERT_EQ(lines.size(), 3u) << out;
    EXPECT_EQ(lines[0], "move e2e4");
    EXPECT_EQ(lines[1].rfind("move ", 0), 0u) << out;
    EXPECT_EQ(lines[2], "pong 1");
    EXPECT_EQ(logged("-M: move(book): e2e4"), 1);
    EXPECT_EQ(logged(BOOK_ERROR_LOG), 0);
    EXPECT_EQ(moveTimeMs, 60u);  // 3 x 20, below the cap of 40 x 20 / 10
    EXPECT_EQ(lastMoveFromBook, 0);
}

TEST_F(BookPlay, SetboardOfAnotherPositionPlaysNoBookMove) {
    writeFile(dir.file(BOOK_FILE_NAME), bookFile("1\n", {{E2E4, E7E5}}));
    const InDirectory inBookDir(dir.path);
    ASSERT_TRUE(inBookDir.entered());
    testing::internal::CaptureStdout();
    // White to move in the position after 1. e4 e5 with the pawns back: not the start.
    run("easy\nsetboard rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -\ntime 100\notim 100\ngo\nping 1\n");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("move ", 0), 0u) << out;
    EXPECT_EQ(logged(BOOK_ERROR_LOG), 0);
    for (const std::string& line : logLines()) EXPECT_EQ(line.rfind("-M: move(book)", 0), std::string::npos) << line;
}
