// The book at play time: playBookMove on the table and the set-up's book step (the
// engine opening from its book as a program is a test of the default book).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/log.h"
#include "book/book.h"
#include "book_helpers.h"
#include "front/state.h"
#include "front/think.h"
#include "game/gamemove.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

const std::string BOOK_ERROR = "tellusererror BOOK ERROR!\n";
const std::string BOOK_ERROR_LOG = "-\ttellusererror BOOK ERROR!";

class BookPlay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(openLog(dir.file("book.log").c_str()));
        engineState = ENGINE_IDLE;
        lastMoveFromBook = 0;  // the budget after the book stays the front's business
    }
    void TearDown() override { closeLog(); }

    long logged(const std::string& line) {
        const std::vector<std::string> lines = splitLines(readFile(dir.file("book.log")));
        return std::count(lines.begin(), lines.end(), line);
    }

    TempDir dir;
};

}  // namespace

TEST_F(BookPlay, OnlyALegalBookMoveIsPlayedAnnouncedAndLogged) {
    setUpOrFail(START_FEN);
    testing::internal::CaptureStdout();
    // A matching key with another position's move (a key collision), verdicts, no move,
    // and a search result are never played.
    for (Move notHere : {lineMoves({"e2e4", "e7e5"})[1], VERDICT_MATED, Move{0}}) {
        engineTable().storeBookMove(gamePosition, notHere);
        EXPECT_FALSE(playBookMove());
    }
    engineTable().store(gamePosition, 5, BOUND_EXACT, 20, coordinateMove("e2e4"));
    EXPECT_FALSE(playBookMove());
    EXPECT_EQ(currentFen(), START_FEN);
    engineTable().storeBookMove(gamePosition, coordinateMove("e2e4"));
    EXPECT_TRUE(playBookMove());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "move e2e4\n");
    EXPECT_EQ(currentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");  // pgn-extract
    EXPECT_EQ(logged("-M: move(book): e2e4"), 1);
    EXPECT_EQ(lastMoveFromBook, 1);
    EXPECT_EQ(engineState, ENGINE_WAITING);
}

TEST_F(BookPlay, TheSetUpLoadsTheBookOrReportsItsError) {
    writeFile(dir.file(BOOK_FILE_NAME), bookFile("1\n", {{"e2e4", "e7e5"}}));
    const std::filesystem::path home = std::filesystem::current_path();
    std::filesystem::current_path(dir.path);  // the set-up reads the book from the working directory
    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition(START_FEN, true));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(bookMoveAfter({}), coordinateMove("e2e4"));

    // The game tools' set-up: no book, nothing said. (Other positions: LoadBook's tests.)
    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition(START_FEN, false));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(logged(BOOK_ERROR_LOG), 0);
    EXPECT_EQ(bookMoveAfter({}), 0);

    writeFile(dir.file(BOOK_FILE_NAME), "not a book");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(setPosition(START_FEN, true));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), BOOK_ERROR);
    const std::vector<std::string> lines = splitLines(readFile(dir.file("book.log")));
    const auto error = std::find(lines.begin(), lines.end(), BOOK_ERROR_LOG);
    ASSERT_TRUE(error != lines.end() && error + 1 != lines.end());
    EXPECT_EQ(*(error + 1), "");  // an empty line follows it
    EXPECT_EQ(bookMoveAfter({}), 0);
    std::filesystem::current_path(home);
}
