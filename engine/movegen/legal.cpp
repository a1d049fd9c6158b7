#include "movegen/legal.h"

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"

int generateLegalMoves(MoveEntry* list) {
    PlyRecord& ply = *currentPly;
    const Side s = position.sideToMove;
    computeCheckInfo(ply);
    const GeneratorKind kind = ply.checkers ? GEN_EVASIONS : GEN_ALL;
    MoveEntry* const end = MOVE_GENERATORS[kind][s](list, ply);
    saveUndoInfo(ply);
    MoveEntry* kept = list;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        makeMove(entry->move, ply);
        const bool legal = !leavesKingAttacked(entry->move, s);
        unmakeMove(entry->move, ply);
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
