#include "book/compiler.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "board/makemove.h"
#include "board/fen.h"
#include "book/bookfile.h"
#include "movegen/legal.h"
#include "movegen/notation.h"

namespace {

// "12." / "12..." alone, or "12.e4": the move number is dropped.
std::string withoutMoveNumber(const std::string& word) {
    std::size_t i = 0;
    while (i < word.size() && std::isdigit(static_cast<unsigned char>(word[i]))) ++i;
    if (i == 0 || i == word.size() || word[i] != '.') return word;
    while (i < word.size() && word[i] == '.') ++i;
    return word.substr(i);
}

// The moves of one text line as words, comment and move numbers removed.
std::vector<std::string> moveWords(const std::string& textLine) {
    std::istringstream in(textLine);
    std::vector<std::string> words;
    std::string word;
    while (in >> word) {
        if (word[0] == '#') break;
        word = withoutMoveNumber(word);
        if (!word.empty()) words.push_back(word);
    }
    return words;
}

void takeBack(Position& pos, const BookLine& line, UndoRecord* undo) {
    for (int i = line.count - 1; i >= 0; --i) unmakeMove(pos, line.moves[i], undo[i]);
}

// Plays the words from pos into line and takes them back; the refused word's index,
// or -1 when every word is a legal move.
int playWords(Position& pos, const std::vector<std::string>& words, BookLine& line, std::string& reason) {
    UndoRecord undo[BOOK_LINE_MAX_MOVES];
    line.count = 0;
    int refused = -1;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (line.count == BOOK_LINE_MAX_MOVES) {
            reason = "more than " + std::to_string(BOOK_LINE_MAX_MOVES) + " moves";
            refused = static_cast<int>(i);
            break;
        }
        const Move move = parseSan(pos, words[i].c_str());
        if (move == 0 || !isLegalMove(pos, move)) {
            reason = "unreadable or illegal move";
            refused = static_cast<int>(i);
            break;
        }
        saveUndoInfo(pos, undo[line.count]);
        makeMove(pos, move, undo[line.count]);
        line.moves[line.count++] = move;
    }
    takeBack(pos, line, undo);
    return refused;
}

}  // namespace

bool compileBookLines(std::istream& text, std::vector<BookLine>& lines, BookCompileError& error) {
    const auto pos = std::make_unique<Position>();
    setUpBoard(*pos, START_FEN);
    std::string textLine;
    for (int number = 1; std::getline(text, textLine); ++number) {
        const std::vector<std::string> words = moveWords(textLine);
        if (words.empty()) continue;
        BookLine line;
        const int refused = playWords(*pos, words, line, error.reason);
        if (refused >= 0) {
            error.lineNumber = number;
            error.word = words[refused];
            return false;
        }
        lines.push_back(line);
    }
    if (lines.empty()) {
        error = {0, "", "no opening lines"};
        return false;
    }
    return true;
}

int runBookCompiler(const char* linesPath, const char* bookPath, std::ostream& errors) {
    std::ifstream text(linesPath);
    if (!text) {
        errors << "zorvak-book: cannot read " << linesPath << '\n';
        return BOOK_COMPILER_IO_ERROR;
    }
    std::vector<BookLine> lines;
    BookCompileError error;
    if (!compileBookLines(text, lines, error)) {
        errors << "zorvak-book: " << linesPath;
        if (error.lineNumber > 0) errors << ':' << error.lineNumber;
        errors << ": " << error.reason;
        if (!error.word.empty()) errors << ": '" << error.word << '\'';
        errors << '\n';
        return BOOK_COMPILER_REFUSED;
    }
    std::ofstream book(bookPath, std::ios::binary | std::ios::trunc);
    if (!book || !writeBookFile(book, lines.data(), static_cast<int>(lines.size()))) {
        errors << "zorvak-book: cannot write " << bookPath << '\n';
        book.close();
        std::remove(bookPath);
        return BOOK_COMPILER_IO_ERROR;
    }
    return BOOK_COMPILER_OK;
}
