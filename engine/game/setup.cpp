#include "game/setup.h"

#include <string>

#include "base/log.h"
#include "base/output.h"
#include "book/book.h"
#include "game/gameposition.h"
#include "game/rootsnapshot.h"
#include "movegen/notation.h"
#include "search/searchthread.h"

namespace {

// Whether the game's table holds the book: the game started where the book starts and
// loaded it.
bool bookInTable = false;

// The game goes on without a book; the interface and the log are told.
void reportBookError() {
    sendLine("tellusererror BOOK ERROR!\n");
    logLine("-\ttellusererror BOOK ERROR!\n\n");  // the line, then an empty one
}

// Resolves the operand of a noted "am"/"bm" operation in the position next. False,
// with a warning, when the operand is no move there.
bool resolveEpdMove(const EpdOperation& op, Position& next) {
    if (!op.name) return true;
    const Move move = parseSan(next, op.operand);
    if (!move) {
        sendLine("Warning cannot recognize move: %s\r\n", op.operand);
        return false;
    }
    (op.name == 'a' ? next.avoidMove : next.expectedMove) = move;
    return true;
}

}  // namespace

bool setPosition(const char* text, bool loadBookFlag) {
    // The new position is read and checked aside: refused text leaves the game as it was.
    Position next;
    EpdOperation op;
    if (!readFen(text, next, op)) return false;
    startHistory(next);
    if (!resolveEpdMove(op, next)) return false;
    gamePosition = next;
    refreshRootSnapshot();
    if (!startNewGame(loadBookFlag)) reportBookError();
    return true;
}

bool placeGamePosition(const char* text) {
    if (!setUpBoard(gamePosition, text)) return false;
    refreshRootSnapshot();
    return true;
}

bool startNewGame(bool loadBookFlag) {
    // The search state the previous game left: every table the search and the
    // evaluation fill as they go.
    clearSearchTables();
    engineTable().setAge(1);
    bookInTable = false;
    // Only the book's start position has a book to load: elsewhere nothing failed.
    if (!(loadBookFlag && isBookStart(gamePosition))) return true;
    const std::string book = findBookFile();
    logLine("-M: book: %s", book.c_str());
    bookInTable = loadBook(book.c_str(), engineTable());
    return bookInTable;
}

bool rewriteBook() {
    if (!bookInTable) return true;
    fixNextBookSeed(lastBookSeed());
    bookInTable = loadBook(findBookFile().c_str(), engineTable());
    logLine("-M: book written again: %s", bookInTable ? "done" : "failed");
    return bookInTable;
}
