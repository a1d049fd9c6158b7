// The book compiler: SAN lines to moves, what it refuses, and zorvak-book as a program.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "book/compiler.h"
#include "book_helpers.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

bool compile(const std::string& text, std::vector<BookLine>& lines, BookCompileError& error) {
    std::istringstream in(text);
    return compileBookLines(in, lines, error);
}

// Knights out and back: plies legal moves from the initial position.
std::string knightShuffle(int plies) {
    const char* cycle[] = {"Nc3", "Nc6", "Nb1", "Nb8"};
    std::string text;
    for (int i = 0; i < plies; ++i) text += std::string(cycle[i % 4]) + " ";
    return text;
}

ProgramRun runBookTool(const std::string& arguments) {
    const std::string tool = (std::filesystem::path(ZORVAK_BINARY).parent_path() / "zorvak-book").string();
    return runCommand(tool + " " + arguments + " 2>&1");
}

}  // namespace

TEST(BookCompiler, ReadsMoveNumbersCommentsCastlingAndChecks) {
    std::vector<BookLine> lines;
    BookCompileError error;
    ASSERT_TRUE(compile("# a comment line\n\n1. e4 e5 2. Nf3 Nc6   # the open game\n   \t\n1.d4 d5 2.c4\n"
                        "1. e4 1... d5 2. exd5\n1. e4 e5 2. Nf3 Nf6 3. Bc4 Nc6 4. O-O Bc5\n1. e4 f6 2. d4 g5 3. Qh5#\n",
                        lines, error))
        << error.reason;
    const std::vector<WordLine> expected = {{"e2e4", "e7e5", "g1f3", "b8c6"},
                                            {"d2d4", "d7d5", "c2c4"},
                                            {"e2e4", "d7d5", "e4d5"},
                                            {"e2e4", "e7e5", "g1f3", "g8f6", "f1c4", "b8c6", "e1g1", "f8c5"},
                                            {"e2e4", "f7f6", "d2d4", "g7g5", "d1h5"}};
    ASSERT_EQ(lines.size(), expected.size());
    setUpOrFail(START_FEN);  // where the expected moves are read
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(std::vector<Move>(lines[i].moves, lines[i].moves + lines[i].count), lineMoves(expected[i])) << i;
}

TEST(BookCompiler, RefusalsNameTheLineAndTheWord) {
    const struct {
        std::string text;
        int lineNumber;
        std::string word;
    } cases[] = {
        {"1. e4 e5\n\n1. e4 e5 2. Ke3\n", 3, "Ke3"},  // illegal
        {"# one\n1. d4 Nf9\n", 2, "Nf9"},             // unreadable
        {"1. e4 e5 2. Nf3 Nc6 3. Nf3\n", 1, "Nf3"},   // no knight can go there
        {"1. e4 d5 2. e8=Q\n", 1, "e8=Q"},
        {"1. e4 1-0\n", 1, "1-0"},
        {"1. e4\n" + knightShuffle(65) + "\n", 2, "Nc3"},  // the 65th move of a line
        {"# nothing but comments\n\n", 0, ""},
    };
    for (const auto& c : cases) {
        std::vector<BookLine> lines;
        BookCompileError error;
        EXPECT_FALSE(compile(c.text, lines, error)) << c.text;
        EXPECT_EQ(error.lineNumber, c.lineNumber) << c.text;
        EXPECT_EQ(error.word, c.word) << c.text;
    }
    std::vector<BookLine> lines;
    BookCompileError error;
    EXPECT_TRUE(compile(knightShuffle(64), lines, error));
}

TEST(BookCompiler, TheProgramWritesTheFormatOrNothing) {
    TempDir dir;
    writeFile(dir.file("good.txt"), "# one line\n1. e4 e5\n");
    ProgramRun run = runBookTool(dir.file("good.txt") + " " + dir.file("good.book"));
    ASSERT_EQ(run.status, 0) << run.output;
    // The count line, then the count byte and e2e4 = 0x0D24, e7e5 = 0x031C little-endian.
    EXPECT_EQ(readFile(dir.file("good.book")), std::string("1\n\x02\x24\x0D\x1C\x03", 7));

    writeFile(dir.file("bad.txt"), "1. e4 e5\n1. d4 d5 2. c4 Qxh2\n");
    run = runBookTool(dir.file("bad.txt") + " " + dir.file("bad.book"));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.output.find(":2: unreadable or illegal move: 'Qxh2'"), std::string::npos) << run.output;
    EXPECT_FALSE(fileExists(dir.file("bad.book")));

    EXPECT_EQ(runBookTool(dir.file("missing.txt") + " " + dir.file("x.book")).status, 1);
    run = runBookTool("");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("usage"), std::string::npos);
}
