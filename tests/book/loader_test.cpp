// loadBook on book files built by hand: which move each position gets, and the files
// it refuses, never leaving the position or the table's age changed.
#include <gtest/gtest.h>

#include <random>

#include "book/book.h"
#include "book_helpers.h"
#include "movegen/legal.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

// A seed whose pick among lineCount lines is `wanted` (1..lineCount).
std::uint32_t seedPicking(long wanted, long lineCount) {
    for (std::uint32_t seed = 1; seed < 100000; ++seed)
        if (pickBookLine(seed, lineCount) == wanted) return seed;
    ADD_FAILURE() << "no seed picks line " << wanted << " of " << lineCount;
    return 0;
}

const WordLine E4_E5 = {"e2e4", "e7e5"}, E4_C5 = {"e2e4", "c7c5"}, D4_D5 = {"d2d4", "d7d5"};

// A book file, the line the pick chooses (or, with lineCount 0, the seed of the pick),
// whether it loads, and the book move expected after each path of moves ("" for none).
struct LoadCase {
    const char* what;
    std::string bytes;
    long chosen, lineCount;
    bool loads;
    std::vector<std::pair<WordLine, std::string>> bookMoves;
};

class LoadBook : public ::testing::Test {
protected:
    void SetUp() override { setUpOrFail(START_FEN); }  // the lines of the cases are read from here
    // Loads the bytes with the pick fixed by seed; the load leaves everything but the table as it was.
    bool loadSeeded(const std::string& bytes, std::uint32_t seed) {
        setUpOrFail(START_FEN);
        writeFile(path, bytes);
        fixNextBookSeed(seed);
        const PositionSnapshot before = takeSnapshot();
        const bool loaded = loadBook(path.c_str(), engineTable());
        EXPECT_TRUE(takeSnapshot() == before) << "the load changed the position";
        EXPECT_EQ(engineTable().age(), 1);
        return loaded;
    }
    void check(const LoadCase& c) {
        const std::uint32_t seed = c.lineCount ? seedPicking(c.chosen, c.lineCount) : c.chosen;
        EXPECT_EQ(loadSeeded(c.bytes, seed), c.loads) << c.what;
        for (const auto& [played, expected] : c.bookMoves) {
            WordLine line = played;
            line.push_back(expected);
            EXPECT_EQ(bookMoveAfter(played), expected.empty() ? 0 : lineMoves(line).back())
                << c.what << " after " << played.size() << " moves";
        }
    }

    TempDir dir;
    std::string path = dir.file("Zorvak.book");
};

}  // namespace

TEST_F(LoadBook, EachPositionOfTheLinesGetsItsMoveTheChosenLineLast) {
    const std::string three = bookFile("3\n", {{"e2e4", "e7e5", "g1f3"}, E4_C5, D4_D5});  // numbered 3, 2, 1
    const LoadCase cases[] = {
        {"one line", bookFile("1\n", {E4_E5}), 1, 1, true, {{{}, "e2e4"}, {{"e2e4"}, "e7e5"}, {E4_E5, ""}, {{"d2d4"}, ""}}},
        {"blanks and text around the count", bookFile("  \t 2 lines of the test book\r\n", {{"e2e4"}, {"d2d4"}}), 1, 2,
         true, {{{}, "d2d4"}}},
        {"line 1 chosen", three, 1, 3, true, {{{}, "d2d4"}, {{"e2e4"}, "c7c5"}}},  // else the last line through it
        {"line 3 chosen", three, 3, 3, true, {{{}, "e2e4"}, {{"e2e4"}, "e7e5"}, {E4_E5, "g1f3"}}},
        {"line 2 chosen", three, 2, 3, true, {{{"e2e4"}, "c7c5"}, {{"d2d4"}, "d7d5"}}},
        {"a capture carries its kind", bookFile("1\n", {{"e2e4", "d7d5", "e4d5"}}), 1, 1, true,
         {{{"e2e4", "d7d5"}, "e4d5"}}},
    };
    for (const LoadCase& c : cases) check(c);
}

TEST_F(LoadBook, FilesThatDoNotHoldWhatTheyPromiseFailKeepingTheLinesStoredBefore) {
    const std::string good = bookFile("", {E4_E5});
    const std::vector<Move> e4d5 = lineMoves({"e2e4", "d7d5"});
    const Move blacksE4E5 = makeMoveCode(squareOf("e4"), squareOf("e5"), KIND_QUIET);  // White's pawn again
    std::vector<LoadCase> cases;
    for (long chosen = 1; chosen <= 3; ++chosen)
        cases.push_back({"fewer lines than counted", bookFile("3\n", {E4_E5, D4_D5}), chosen, 3, false,
                         {{{"e2e4"}, "e7e5"}, {{"d2d4"}, "d7d5"}}});
    cases.push_back({"more lines than counted", bookFile("1\n", {E4_E5, D4_D5}), 1, 1, false, {{{"d2d4"}, "d7d5"}}});
    cases.push_back({"an unplayable line stops the load", "3\n" + good + bookRecord({lineMoves({"d2d4"})[0], blacksE4E5}) +
                     bookFile("", {{"g1f3", "g8f6"}}), 1, 3, false, {{{"e2e4"}, "e7e5"}, {{"g1f3"}, ""}}});
    cases.push_back({"a capture coded as a quiet move",
                     "1\n" + bookRecord({e4d5[0], e4d5[1], makeMoveCode(squareOf("e4"), squareOf("d5"), KIND_QUIET)}), 1, 1,
                     false, {{{}, ""}}});
    cases.push_back({"an empty chosen line", "2\n" + bookFile("", {{"e2e4"}}) + bookRecord({}), 1, 2, false, {{{}, "e2e4"}}});
    for (const char* count : {"", "\n", "0\n", "-1\n", "x1\n", "99999999999999999999999\n", "1"})
        cases.push_back({"a bad count line", count + bookFile("", {{"e2e4"}}), 1, 1, false, {{{}, ""}}});
    std::vector<Move> shuffle;  // knights out and back: 64 legal moves, the longest line a record holds
    for (int i = 0; i < 16; ++i) for (Move m : lineMoves({"b1c3", "b8c6", "c3b1", "c6b8"})) shuffle.push_back(m);
    cases.push_back({"64 moves", "1\n" + bookRecord(shuffle), 1, 1, true, {{{}, "b1c3"}}});
    shuffle.push_back(shuffle[0]);
    cases.push_back({"65 moves", "2\n" + good + bookRecord(shuffle), 1, 2, false, {{{}, "e2e4"}}});
    cases.push_back({"a count byte beyond the moves", "1\n" + bookRecord(lineMoves(E4_E5), 255), 1, 1, false, {}});
    cases.push_back({"a truncated record", "2\n" + good + bookRecord(lineMoves({"d2d4"}), 3), 1, 2, false, {{{}, "e2e4"}}});
    cases.push_back({"half a move", "2\n" + good + "\x01\xE3", 2, 2, false, {{{}, "e2e4"}}});
    for (long seed : {1, 2, 3})  // chosen or not, the one line of a file that promises two billion is stored
        cases.push_back({"a huge count", "2000000000\n" + good, seed, 0, false, {{{"e2e4"}, "e7e5"}}});
    for (const LoadCase& c : cases) check(c);
    EXPECT_FALSE(loadBook(dir.file("missing.book").c_str(), engineTable()));
}

// The game loads the book only where its lines start: not after a move, and not at the
// same placement and key with fewer castle rights (its lines would castle where it
// cannot). The loader plays the lines on a board of its own, whatever the game's.
TEST_F(LoadBook, OnlyTheInitialPlacementIsTheBooksStart) {
    for (const char* fen : {"rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - -",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQ -",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w Kk -"}) {
        setUpOrFail(fen);
        EXPECT_FALSE(isBookStart(gamePosition)) << fen;
    }
    writeFile(path, bookFile("1\n", {E4_E5}));
    EXPECT_TRUE(loadBook(path.c_str(), engineTable()));
    setUpOrFail(START_FEN);
    EXPECT_TRUE(isBookStart(gamePosition));
}

TEST_F(LoadBook, RandomBytesNeverCorruptThePosition) {
    std::mt19937 random(61);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = std::to_string(1 + random() % 5) + "\n" + bookFile("", {E4_E5});
        for (std::size_t i = random() % 200; i > 0; --i) bytes += static_cast<char>(random() & 0xFF);
        loadSeeded(bytes, random());  // checks the position and the age
        const Move here = bookMoveAfter({});
        EXPECT_TRUE(here == 0 || isLegalMove(gamePosition, here)) << round;
    }
}
