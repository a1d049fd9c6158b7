#include "records/gamemoves.h"

#include "board/makemove.h"

namespace {
PlyRecord gameMoveRecords[MAX_GAME_PLIES];
}

PlyRecord& MadeGameMoves::nextRecord() { return gameMoveRecords[count_]; }

void MadeGameMoves::make(Move move) {
    PlyRecord& record = nextRecord();
    saveUndoInfo(record);
    makeMove(move, record);
    moves_[count_++] = move;
}

void MadeGameMoves::takeBackAll() {
    while (count_ > 0) {
        --count_;
        unmakeMove(moves_[count_], gameMoveRecords[count_]);
    }
}
