#include "records/gamemoves.h"

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"

UndoRecord& MadeGameMoves::nextRecord() { return undo_[count_]; }

void MadeGameMoves::make(Move move) {
    UndoRecord& record = nextRecord();
    saveUndoInfo(pos_, record);
    makeMove(pos_, move, record);
    moves_[count_++] = move;
}

namespace {

bool isGenerated(const Position& pos, Move move, const CheckInfo& check) {
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const GeneratorKind kind = check.checkers ? GEN_EVASIONS : GEN_ALL;
    const MoveEntry* const end = MOVE_GENERATORS[kind][pos.sideToMove](pos, list, check);
    for (const MoveEntry* entry = list; entry != end; ++entry)
        if (entry->move == move) return true;
    return false;
}

}  // namespace

MadeGameMoves::Test MadeGameMoves::makeTested(Move move) {
    CheckInfo check;
    computeCheckInfo(pos_, check);
    // Out of check a move is generated exactly when it fits the position, which is
    // far quicker to ask; castling and check evasions have conditions of their own.
    const bool generated = check.checkers || isCastlingKind(moveKind(move)) ? isGenerated(pos_, move, check)
                                                                           : isPseudoLegal(pos_, move);
    if (!generated) return Test::NOT_GENERATED;
    const Side mover = pos_.sideToMove;
    make(move);
    return leavesKingAttacked(pos_, move, mover) ? Test::KING_ATTACKED : Test::LEGAL;
}

void MadeGameMoves::takeBackAll() {
    while (count_ > 0) {
        --count_;
        unmakeMove(pos_, moves_[count_], undo_[count_]);
    }
}
