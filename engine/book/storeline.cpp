// Lines of moves written into the transposition table as book moves.
#include "board/makemove.h"
#include "book/book.h"
#include "movegen/legal.h"
#include "search/tt.h"

namespace {

UndoRecord lineUndo[BOOK_LINE_MAX_MOVES];

// Takes back moves[count-1] .. moves[0], last made first.
void takeBack(const Move* moves, int count) {
    while (count-- > 0) unmakeMove(moves[count], lineUndo[count]);
}

}  // namespace

bool storeLine(const Move* moves, int count) {
    if (count < 0 || count > BOOK_LINE_MAX_MOVES) return false;
    int made = 0;
    // A move that is generated but leaves the king attacked is refused too: a book
    // built from it would make the engine play an illegal move.
    for (; made < count && isLegalMove(moves[made]); ++made) {
        saveUndoInfo(lineUndo[made]);
        makeMove(moves[made], lineUndo[made]);
    }
    if (made < count) {
        takeBack(moves, made);
        return false;
    }
    for (int i = count - 1; i >= 0; --i) {
        unmakeMove(moves[i], lineUndo[i]);
        storeBookMove(moves[i]);
    }
    return true;
}
