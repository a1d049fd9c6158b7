#include "movegen/legal.h"

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"

int generateLegalMoves(Position& pos, MoveEntry* list) {
    const Side s = pos.sideToMove;
    CheckInfo check;
    computeCheckInfo(pos, check);
    const GeneratorKind kind = check.checkers ? GEN_EVASIONS : GEN_ALL;
    MoveEntry* const end = MOVE_GENERATORS[kind][s](pos, list, check);
    UndoRecord undo;
    saveUndoInfo(pos, undo);
    MoveEntry* kept = list;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        makeMove(pos, entry->move, undo);
        const bool legal = !leavesKingAttacked(pos, entry->move, s);
        unmakeMove(pos, entry->move, undo);
        if (legal) *kept++ = *entry;
    }
    return static_cast<int>(kept - list);
}

bool isLegalMove(Position& pos, Move move) {
    if (move == 0 || moveKind(move) == KIND_NO_MOVE) return false;
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(pos, legal);
    for (int i = 0; i < count; ++i)
        if (legal[i].move == move) return true;
    return false;
}
