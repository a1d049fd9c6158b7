// The default book: book/lines.txt compiles, the build's Zorvak.book is that
// compilation, it loads, and every line can be followed move by move.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "book/bookfile.h"
#include "book/compiler.h"
#include "book_helpers.h"
#include "movegen/legal.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

std::vector<BookLine> compileFile(const std::string& path) {
    std::ifstream in(path);
    std::vector<BookLine> lines;
    BookCompileError error;
    EXPECT_TRUE(in.good()) << path;
    EXPECT_TRUE(compileBookLines(in, lines, error)) << path << ":" << error.lineNumber << ": " << error.reason << " "
                                                    << error.word;
    return lines;
}

std::vector<BookLine> compileText(const std::string& text) {
    std::istringstream in(text);
    std::vector<BookLine> lines;
    BookCompileError error;
    EXPECT_TRUE(compileBookLines(in, lines, error)) << error.reason << " " << error.word;
    return lines;
}

}  // namespace

TEST(DefaultBook, TheBuildsBookIsTheCompiledLinesAndLoads) {
    const std::vector<BookLine> lines = compileFile(defaultLinesPath());
    EXPECT_GE(lines.size(), 60u);
    EXPECT_LE(lines.size(), 120u);
    for (const BookLine& line : lines) {
        EXPECT_GE(line.count, 8);
        EXPECT_LE(line.count, 20);
    }
    std::ostringstream expected;
    ASSERT_TRUE(writeBookFile(expected, lines.data(), static_cast<int>(lines.size())));
    EXPECT_EQ(readFile(builtBookPath()), expected.str()) << "the built book is not book/lines.txt compiled";

    setUpOrFail(START_FEN);
    const PositionSnapshot start = takeSnapshot();
    EXPECT_TRUE(loadBook(builtBookPath().c_str()));
    EXPECT_TRUE(takeSnapshot() == start);
}

// Following any line, every position on it has a legal book move (the line's own,
// or that of a line chosen or written later through the same position).
TEST(DefaultBook, EveryLineIsCoveredByLegalBookMoves) {
    const std::vector<BookLine> lines = compileFile(defaultLinesPath());
    setUpOrFail(START_FEN);
    ASSERT_TRUE(loadBook(builtBookPath().c_str()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<Move> moves(lines[i].moves, lines[i].moves + lines[i].count);
        int followed = 0;
        for (; followed < lines[i].count; ++followed) {
            const Move bookMove = bookMoveHere();
            if (bookMove == 0 || !isLegalMove(bookMove)) break;
            playOnRecords({moves[followed]});
        }
        takeBackFromRecords({moves.begin(), moves.begin() + followed});
        EXPECT_EQ(followed, lines[i].count) << "line " << i + 1 << " has no book move at ply " << followed + 1;
    }
    EXPECT_EQ(currentFen(), START_FEN);
}

// Final positions of some of the lines, worked out by pgn-extract (--fencomments)
// from the same moves written as PGN; the four FEN fields the engine writes.
TEST(DefaultBook, LinesEndWhereAnIndependentPgnReaderPutsThem) {
    const struct {
        const char* line;
        const char* fen;
    } cases[] = {
        {"1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 b5 7. Bb3 d6 8. c3 O-O 9. h3 Na5 10. Bc2 c5",
         "r1bq1rk1/4bppp/p2p1n2/npp1p3/4P3/2P2N1P/PPBP1PP1/RNBQR1K1 w - c6"},
        {"1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 4. Ng5 d5 5. exd5 Na5 6. Bb5+ c6 7. dxc6 bxc6 8. Be2 h6 9. Nf3 e4 10. Ne5 Bd6",
         "r1bqk2r/p4pp1/2pb1n1p/n3N3/4p3/8/PPPPBPPP/RNBQK2R w KQkq -"},
        {"1. e4 c5 2. Nf3 Nc6 3. Bb5 g6 4. O-O Bg7 5. Re1 e5 6. Bxc6 dxc6 7. d3 Qe7 8. Nbd2 Nf6",
         "r1b1k2r/pp2qpbp/2p2np1/2p1p3/4P3/3P1N2/PPPN1PPP/R1BQR1K1 w kq -"},
        {"1. e4 d5 2. exd5 Qxd5 3. Nc3 Qd6 4. d4 Nf6 5. Nf3 a6 6. Be3 Nc6 7. Qd2 Bf5 8. O-O-O O-O-O",
         "2kr1b1r/1pp1pppp/p1nq1n2/5b2/3P4/2N1BN2/PPPQ1PPP/2KR1B1R w - -"},
        {"1. d4 Nf6 2. c4 g6 3. Nc3 Bg7 4. e4 d6 5. Nf3 O-O 6. Be2 e5 7. O-O Nc6 8. d5 Ne7 9. Ne1 Nd7 10. Be3 f5",
         "r1bq1rk1/pppnn1bp/3p2p1/3Ppp2/2P1P3/2N1B3/PP2BPPP/R2QNRK1 w - f6"},
        {"1. c4 e6 2. Nc3 d5 3. d4 Be7 4. Nf3 Nf6 5. Bg5 O-O 6. e3 h6 7. Bh4 b6",
         "rnbq1rk1/p1p1bpp1/1p2pn1p/3p4/2PP3B/2N1PN2/PP3PPP/R2QKB1R w KQ -"},
    };
    const std::string defaultLines = readFile(defaultLinesPath());
    for (const auto& c : cases) {
        EXPECT_NE(defaultLines.find(c.line), std::string::npos) << "not in the default book: " << c.line;
        const std::vector<BookLine> compiled = compileText(c.line);
        ASSERT_EQ(compiled.size(), 1u);
        const std::vector<Move> moves(compiled[0].moves, compiled[0].moves + compiled[0].count);
        playOnRecords(moves);
        EXPECT_EQ(currentFen(), c.fen) << c.line;
        takeBackFromRecords(moves);
    }
}

// The real engine in a directory holding the default book: its first move is a
// book move.
TEST(DefaultBook, TheEngineOpensFromTheBookBesideIt) {
    TempDir dir;
    writeFile(dir.file(BOOK_FILE_NAME), readFile(builtBookPath()));
    writeFile(dir.file("input.txt"), "xboard\nnew\ngo\nquit\n");
    const std::string command = "cd '" + dir.path + "' && timeout 20 '" + ZORVAK_BINARY +
                                "' <input.txt >output.txt 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::vector<std::string> output = splitLines(readFile(dir.file("output.txt")));
    std::vector<std::string> replies;
    for (const std::string& line : output)
        if (!line.empty() && line.rfind("feature ", 0) != 0) replies.push_back(line);
    ASSERT_EQ(replies.size(), 1u) << readFile(dir.file("output.txt"));
    ASSERT_EQ(replies[0].rfind("move ", 0), 0u) << replies[0];
    const std::string move = replies[0].substr(5);
    const std::vector<std::string> log = splitLines(readFile(dir.file("Zorvak.log")));
    EXPECT_NE(std::find(log.begin(), log.end(), "-M: move(book): " + move), log.end());
    // The first moves of the default lines.
    EXPECT_TRUE(move == "e2e4" || move == "d2d4" || move == "c2c4" || move == "g1f3") << move;
}
