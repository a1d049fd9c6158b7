// The book compiler: opening lines in SAN, one a line, turned into a book file.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "book/book.h"

// Exit statuses of zorvak-book.
inline constexpr int BOOK_COMPILER_OK = 0;
inline constexpr int BOOK_COMPILER_IO_ERROR = 1;   // bad arguments, unreadable input, unwritable output
inline constexpr int BOOK_COMPILER_REFUSED = 2;    // a line was refused; nothing was written

struct BookCompileError {
    int lineNumber = 0;  // 1-based line of the text
    std::string word;    // the word refused (empty when the whole text is)
    std::string reason;
};

// Reads the text: '#' starts a comment, blank lines are skipped, move numbers
// ("12." or "12...", alone or before the move) are skipped. Each line is played
// from the initial position with the engine's SAN reader and legality test and
// its Move codes appended to lines. False with error filled at the first line
// that has an unreadable or illegal move or more than BOOK_LINE_MAX_MOVES moves,
// or when the text has no line at all. Sets up the initial position.
bool compileBookLines(std::istream& text, std::vector<BookLine>& lines, BookCompileError& error);

// zorvak-book LINES.txt OUT.book: compiles and writes the book; messages go to
// errors. Returns the exit status; on refusal no output file is written.
int runBookCompiler(const char* linesPath, const char* bookPath, std::ostream& errors);
