// Lines of moves written into the transposition table as book moves.
#include <cstring>

#include "board/makemove.h"
#include "book/book.h"
#include "movegen/legal.h"
#include "search/tt.h"

namespace {

// Records a legality test needs beyond the moves already made on a line.
constexpr int LEGALITY_TEST_RECORDS = 2;

// Moves that can still be made from currentPly, each on its own record.
int recordsLeft() {
    return static_cast<int>(PLY_RECORD_COUNT - (currentPly - plyRecords)) - LEGALITY_TEST_RECORDS;
}

void playOnNextRecord(Move move) {
    saveUndoInfo(*currentPly);
    makeMove(move, *currentPly);
    ++currentPly;
}

// Takes back moves[count-1] .. moves[0], last made first.
void takeBack(const Move* moves, int count) {
    while (count-- > 0) {
        --currentPly;
        unmakeMove(moves[count], *currentPly);
    }
}

}  // namespace

bool storeLine(const Move* moves, int count) {
    if (count < 0 || count > recordsLeft()) return false;
    int made = 0;
    // A move that is generated but leaves the king attacked is refused too: a book
    // built from it would make the engine play an illegal move.
    while (made < count && isLegalMove(moves[made])) playOnNextRecord(moves[made++]);
    if (made < count) {
        takeBack(moves, made);
        return false;
    }
    for (int i = count - 1; i >= 0; --i) {
        --currentPly;
        unmakeMove(moves[i], *currentPly);
        storeBookMove(moves[i]);
    }
    return true;
}
