#include "movegen/legal.h"

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"

int generateLegalMoves(MoveEntry* list) {
    const Side s = position.sideToMove;
    CheckInfo check;
    computeCheckInfo(check);
    const GeneratorKind kind = check.checkers ? GEN_EVASIONS : GEN_ALL;
    MoveEntry* const end = MOVE_GENERATORS[kind][s](list, check);
    UndoRecord undo;
    saveUndoInfo(undo);
    MoveEntry* kept = list;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        makeMove(entry->move, undo);
        const bool legal = !leavesKingAttacked(entry->move, s);
        unmakeMove(entry->move, undo);
        if (legal) *kept++ = *entry;
    }
    return static_cast<int>(kept - list);
}

bool isLegalMove(Move move) {
    if (move == 0 || moveKind(move) == KIND_NO_MOVE) return false;
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(legal);
    for (int i = 0; i < count; ++i)
        if (legal[i].move == move) return true;
    return false;
}
