// The engine plays from the book while the game follows one of its lines.
#include "base/log.h"
#include "base/output.h"
#include "book/book.h"
#include "front/state.h"
#include "front/think.h"
#include "front/timecontrol.h"
#include "game/gameposition.h"
#include "game/gamemove.h"
#include "movegen/notation.h"
#include "search/searchthread.h"

bool playBookMove() {
    const Move move = bookMove(gamePosition, engineTable());
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
    sendLine("move %s\n", text);
    logLine("-M: move(book): %s", text);
    lastMoveFromBook = 1;
    engineState = ENGINE_WAITING;
    return true;
}
