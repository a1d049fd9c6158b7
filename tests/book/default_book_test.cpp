// The default book: book/lines.txt compiles, the build's Zorvak.book is that
// compilation, and every line can be followed move by move. (The engine opening from
// it: tests/data/xboard/undo_book.txt and tests/data/uci/book.txt.)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "book/book.h"
#include "book/bookfile.h"
#include "book/compiler.h"
#include "book_helpers.h"
#include "movegen/legal.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

std::string defaultLinesPath() { return std::string(ZORVAK_TEST_DATA) + "/../../book/lines.txt"; }
std::string builtBookPath() { return (std::filesystem::path(ZORVAK_BINARY).parent_path() / BOOK_FILE_NAME).string(); }

std::vector<BookLine> compileText(const std::string& text) {
    std::istringstream in(text);
    std::vector<BookLine> lines;
    BookCompileError error;
    EXPECT_TRUE(compileBookLines(in, lines, error)) << error.lineNumber << ": " << error.reason << " " << error.word;
    return lines;
}

// Plays the line's moves as long as each position has a legal book move, takes them back
// and returns how many were played.
int followBook(const BookLine& line) {
    int followed = 0;
    for (; followed < line.count; ++followed) {
        const Move bookMove = bookMoveAfter({});
        if (bookMove == 0 || !isLegalMove(gamePosition, bookMove)) break;
        saveUndoInfo(gamePosition, testUndo[followed]);
        makeMove(gamePosition, line.moves[followed], testUndo[followed]);
    }
    for (int i = followed; i-- > 0;) unmakeMove(gamePosition, line.moves[i], testUndo[i]);
    return followed;
}

}  // namespace

TEST(DefaultBook, TheBuiltBookIsTheCompiledLinesAndCoversEachOfThem) {
    const std::vector<BookLine> lines = compileText(readFile(defaultLinesPath()));
    EXPECT_GE(lines.size(), 60u);
    std::ostringstream expected;
    ASSERT_TRUE(writeBookFile(expected, lines.data(), static_cast<int>(lines.size())));
    EXPECT_EQ(readFile(builtBookPath()), expected.str()) << "the built book is not book/lines.txt compiled";
    // Following any line, every position on it has a legal book move (the line's own,
    // or that of a line chosen or written later through the same position).
    setUpOrFail(START_FEN);
    ASSERT_TRUE(loadBook(builtBookPath().c_str(), engineTable()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int followed = followBook(lines[i]);
        EXPECT_EQ(followed, lines[i].count) << "line " << i + 1 << " has no book move at ply " << followed + 1;
    }
}

TEST(DefaultBook, LinesEndWhereAnIndependentPgnReaderPutsThem) {
    const std::string defaultLines = readFile(defaultLinesPath());
    for (const DataRow& row : readDataTable("book_lines.txt")) {
        ASSERT_EQ(row.size(), 2u) << row[0];
        EXPECT_NE(defaultLines.find(row[0]), std::string::npos) << "not in the default book: " << row[0];
        const std::vector<BookLine> compiled = compileText(row[0]);
        ASSERT_EQ(compiled.size(), 1u);
        setUpOrFail(START_FEN);
        for (int i = 0; i < compiled[0].count; ++i) makeMove(gamePosition, compiled[0].moves[i], testUndo[i]);
        EXPECT_EQ(currentFen(), row[1]) << row[0];
    }
}
