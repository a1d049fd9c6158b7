#include "eval_helpers.h"

#include "support/board_helpers.h"

EvalState freshState(const char* fen) {
    setUpOrFail(fen);
    EvalState state;
    state.pawnsOnBoard = position.pawnCount[WHITE] + position.pawnCount[BLACK];
    return state;
}
