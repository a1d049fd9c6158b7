// Lines of moves written into the transposition table as book moves.
#include "board/makemove.h"
#include "book/book.h"
#include "movegen/legal.h"
#include "search/tt.h"

namespace {

// Takes back moves[count-1] .. moves[0], last made first.
void takeBack(Position& pos, const Move* moves, UndoRecord* undo, int count) {
    while (count-- > 0) unmakeMove(pos, moves[count], undo[count]);
}

}  // namespace

bool storeLine(Position& pos, TranspositionTable& tt, const Move* moves, int count) {
    if (count < 0 || count > BOOK_LINE_MAX_MOVES) return false;
    UndoRecord undo[BOOK_LINE_MAX_MOVES];
    int made = 0;
    // A move that is generated but leaves the king attacked is refused too: a book
    // built from it would make the engine play an illegal move.
    for (; made < count && isLegalMove(pos, moves[made]); ++made) {
        saveUndoInfo(pos, undo[made]);
        makeMove(pos, moves[made], undo[made]);
    }
    if (made < count) {
        takeBack(pos, moves, undo, made);
        return false;
    }
    for (int i = count - 1; i >= 0; --i) {
        unmakeMove(pos, moves[i], undo[i]);
        tt.storeBookMove(pos, moves[i]);
    }
    return true;
}
