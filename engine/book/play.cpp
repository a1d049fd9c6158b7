// The book move at play time: the current position's book entry in the table.
#include <cstdio>

#include "book/book.h"
#include "front/gamemove.h"
#include "base/log.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/tt.h"

namespace {

// The book move of the current position, or 0. The key check compares only part
// of the key, so another position's entry can match: its move is taken only
// when it is legal here, or it would corrupt the game.
Move bookMoveOfPosition() {
    const HashEntry* entry = probeTable();
    if (!entry || !isBookEntry(*entry)) return 0;
    const Move move = entryMove(*entry);
    return move != 0 && isLegalMove(move) ? move : 0;
}

}  // namespace

bool playBookMove() {
    const Move move = bookMoveOfPosition();
    if (move == 0) {
        if (lastMoveFromBook) {
            lastMoveFromBook = 0;
            extendOutOfBookBudget();
        }
        return false;
    }
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    applyGameMove(move);
    std::printf("move %s\n", text);
    logLine("-M: move(book): %s", text);
    lastMoveFromBook = 1;
    engineState = ENGINE_WAITING;
    return true;
}
