// The book compiler: SAN lines to Move codes with their kinds, the book file it
// writes, what it refuses, and zorvak-book as a program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "book/bookfile.h"
#include "book/compiler.h"
#include "book_helpers.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

struct Compiled {
    bool ok;
    std::vector<BookLine> lines;
    BookCompileError error;
};

Compiled compile(const std::string& text) {
    std::istringstream in(text);
    Compiled c;
    c.ok = compileBookLines(in, c.lines, c.error);
    return c;
}

std::vector<Move> movesOf(const BookLine& line) { return {line.moves, line.moves + line.count}; }

// Knights out and back: plies legal moves from the initial position.
std::string knightShuffle(int plies) {
    const char* cycle[] = {"Nc3", "Nc6", "Nb1", "Nb8"};
    std::string text;
    for (int i = 0; i < plies; ++i) text += std::string(cycle[i % 4]) + " ";
    return text;
}

std::string bookTool() { return (std::filesystem::path(ZORVAK_BINARY).parent_path() / "zorvak-book").string(); }

// Runs zorvak-book; its exit status, with its error output in errors.
int runBookTool(const std::string& arguments, std::string& errors, const TempDir& dir) {
    const std::string errorFile = dir.file("errors.txt");
    const int status = std::system((bookTool() + " " + arguments + " 2>" + errorFile).c_str());
    errors = readFile(errorFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(BookCompiler, MoveNumbersCommentsAndBlankLinesAreSkipped) {
    const Compiled c = compile(
        "# a comment line\n"
        "\n"
        "1. e4 e5 2. Nf3 Nc6   # the open game\n"
        "   \t\n"
        "1.d4 d5 2.c4\n"
        "1. e4 1... d5 2. exd5\n");
    ASSERT_TRUE(c.ok) << c.error.reason;
    ASSERT_EQ(c.lines.size(), 3u);
    EXPECT_EQ(movesOf(c.lines[0]), (std::vector<Move>{E2E4, E7E5, G1F3, B8C6}));
    EXPECT_EQ(movesOf(c.lines[1]), (std::vector<Move>{D2D4, D7D5, (50 << 6) | 34}));
    EXPECT_EQ(movesOf(c.lines[2]), (std::vector<Move>{E2E4, D7D5, E4D5_CAPTURE}));  // kind 1 included
    EXPECT_EQ(currentFen(), START_FEN);
}

TEST(BookCompiler, CastlingAndCheckMarksAreRead) {
    const Compiled c = compile("1. e4 e5 2. Nf3 Nf6 3. Bc4 Nc6 4. O-O Bc5\n1. e4 f6 2. d4 g5 3. Qh5#\n");
    ASSERT_TRUE(c.ok) << c.error.reason << " " << c.error.word;
    EXPECT_EQ(c.lines[0].moves[6], E1G1_CASTLE);
    EXPECT_EQ(c.lines[0].moves[4], F1C4);
    EXPECT_EQ(c.lines[1].count, 5);
}

TEST(BookCompiler, RefusalsNameTheLineAndTheWord) {
    struct Case {
        const char* text;
        int lineNumber;
        const char* word;
    };
    const Case cases[] = {
        {"1. e4 e5\n\n1. e4 e5 2. Ke3\n", 3, "Ke3"},    // illegal
        {"# one\n1. d4 Nf9\n", 2, "Nf9"},               // unreadable
        {"1. e4 e5 2. Nf3 Nc6 3. Nf3\n", 1, "Nf3"},     // no knight can go there
        {"1. e4 d5 2. e8=Q\n", 1, "e8=Q"},
        {"1. e4 1-0\n", 1, "1-0"},
    };
    for (const Case& k : cases) {
        const Compiled c = compile(k.text);
        EXPECT_FALSE(c.ok) << k.text;
        EXPECT_EQ(c.error.lineNumber, k.lineNumber) << k.text;
        EXPECT_EQ(c.error.word, k.word) << k.text;
        EXPECT_EQ(currentFen(), START_FEN) << k.text;  // the refused line's moves are taken back
    }
    EXPECT_FALSE(compile("# nothing but comments\n\n").ok);
}

TEST(BookCompiler, LinesOfSixtyFourMovesPassAndLongerOnesAreRefused) {
    const Compiled longest = compile(knightShuffle(64));
    ASSERT_TRUE(longest.ok);
    EXPECT_EQ(longest.lines[0].count, BOOK_LINE_MAX_MOVES);
    const Compiled tooLong = compile("1. e4\n" + knightShuffle(65) + "\n");
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.error.lineNumber, 2);
    EXPECT_EQ(tooLong.error.word, "Nc3");  // the 65th word
    EXPECT_EQ(currentFen(), START_FEN);
}

TEST(BookCompiler, CompiledLinesLoadAndPlayAsWritten) {
    TempDir dir;
    const std::string book = dir.file("round.book");
    const std::string lines = dir.file("lines.txt");
    writeFile(lines, "1. e4 c5 2. Nf3 d6\n1. d4 Nf6 2. c4 e6 3. Nc3 Bb4\n1. c4 e5\n");
    std::ostringstream errors;
    ASSERT_EQ(runBookCompiler(lines.c_str(), book.c_str(), errors), BOOK_COMPILER_OK) << errors.str();
    EXPECT_EQ(readFile(book).substr(0, 2), "3\n");
    for (long chosen = 1; chosen <= 3; ++chosen) {
        setUpOrFail(START_FEN);
        fixNextBookSeed(seedPicking(chosen, 3));
        ASSERT_TRUE(loadBook(book.c_str()));
        // The chosen line (numbered down from the first) is played from the start.
        const std::vector<std::vector<std::string>> expected = {
            {"c2c4", "e7e5"}, {"d2d4", "g8f6", "c2c4", "e7e6", "b1c3", "f8b4"}, {"e2e4", "c7c5", "g1f3", "d7d6"}};
        std::vector<Move> played;
        for (const std::string& text : expected[chosen - 1]) {
            const Move move = coordinateMove(text);
            EXPECT_EQ(bookMoveHere(), move) << "line " << chosen << " at " << text;
            played.push_back(move);
            playOnRecords({move});
        }
        EXPECT_EQ(bookMoveHere(), 0);
        takeBackFromRecords(played);
    }
}

TEST(BookCompiler, TheProgramWritesTheFormatOrNothing) {
    TempDir dir;
    std::string errors;
    writeFile(dir.file("good.txt"), "# one line\n1. e4 e5\n");
    ASSERT_EQ(runBookTool(dir.file("good.txt") + " " + dir.file("good.book"), errors, dir), 0) << errors;
    EXPECT_EQ(readFile(dir.file("good.book")), std::string("1\n\x02\x24\x0D\x1C\x03", 7));

    writeFile(dir.file("bad.txt"), "1. e4 e5\n1. d4 d5 2. c4 Qxh2\n");
    EXPECT_EQ(runBookTool(dir.file("bad.txt") + " " + dir.file("bad.book"), errors, dir), 2);
    EXPECT_NE(errors.find(":2:"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Qxh2"), std::string::npos) << errors;
    EXPECT_FALSE(fileExists(dir.file("bad.book")));

    writeFile(dir.file("long.txt"), knightShuffle(66));
    EXPECT_EQ(runBookTool(dir.file("long.txt") + " " + dir.file("long.book"), errors, dir), 2);
    EXPECT_NE(errors.find("more than 64 moves"), std::string::npos) << errors;
    EXPECT_FALSE(fileExists(dir.file("long.book")));

    EXPECT_EQ(runBookTool(dir.file("missing.txt") + " " + dir.file("x.book"), errors, dir), 1);
    EXPECT_EQ(runBookTool("", errors, dir), 1);
    EXPECT_NE(errors.find("usage"), std::string::npos);
}
