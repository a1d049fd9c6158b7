#include "game/setup.h"

#include <cstdio>

#include "base/log.h"
#include "book/book.h"
#include "eval/pawnhash.h"
#include "game/rootsnapshot.h"
#include "movegen/notation.h"
#include "search/history.h"
#include "search/plyrecord.h"
#include "search/tt.h"

namespace {

// The search state the previous game left: every table the search and the
// evaluation fill as they go.
void clearSearchState() {
    clearTranspositionTable();
    clearHistoryTable();
    clearKillers();
    clearPawnHashTable();
}

// The game goes on without a book; the interface and the log are told.
void reportBookError() {
    std::printf("tellusererror BOOK ERROR!\n");
    logLine("-\ttellusererror BOOK ERROR!\n\n");  // the line, then an empty one
}

// Resolves the operand of a noted "am"/"bm" operation in the new position.
bool noteEpdMove(const EpdOperation& op) {
    if (!op.name) return true;
    const Move move = parseSan(op.operand);
    if (!move) {
        std::printf("Warning cannot recognize move: %s\r\n", op.operand);
        return false;
    }
    (op.name == 'a' ? position.avoidMove : position.expectedMove) = move;
    return true;
}

}  // namespace

bool setPosition(const char* text, bool loadBookFlag) {
    // The new position is read aside: refused text leaves the game as it was.
    Position next;
    EpdOperation op;
    if (!readFen(text, next, op)) return false;
    placePosition(next);
    refreshRootSnapshot();
    clearSearchState();
    if (loadBookFlag && !loadBook(BOOK_FILE_NAME)) reportBookError();
    hashAge = 1;
    return noteEpdMove(op);
}
