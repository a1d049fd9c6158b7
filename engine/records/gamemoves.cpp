#include "records/gamemoves.h"

#include "board/makemove.h"

namespace {
UndoRecord gameMoveRecords[MAX_GAME_PLIES];
}

UndoRecord& MadeGameMoves::nextRecord() { return gameMoveRecords[count_]; }

void MadeGameMoves::make(Move move) {
    UndoRecord& record = nextRecord();
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
