#include "search/nullmove.h"

#include "board/makemove.h"
#include "search/searchconst.h"

int nullMoveReduction(int pieceMaterial, int depth) {
    if (pieceMaterial <= 0) return 0;  // pawns alone: zugzwang is too likely
    if (pieceMaterial < NULL_SMALL_MATERIAL) return depth > NULL_SMALL_MAX_DEPTH ? 0 : NULL_REDUCTION;
    if (depth >= NULL_BIG_MIN_DEPTH && pieceMaterial >= NULL_BIG_MATERIAL) return NULL_BIG_REDUCTION;
    return NULL_REDUCTION;
}

void makeNullMove(Position& pos, UndoRecord& record) {
    GameHistoryEntry* const previous = pos.historyTop;
    previous->move = NULL_MOVE;
    pos.historyTop = previous + 1;
    pos.historyTop->reversibleCount = static_cast<std::uint16_t>(previous->reversibleCount + 1);
    record.savedHashKey = pos.hashKey;
    record.savedPawnKey = pos.pawnKey;
    record.savedEpSquare = pos.epSquare;
    record.savedCastleRights = pos.castleRights;
    clearEnPassantSquare(pos);
    pos.historyTop->setKey(pos.hashKey);
    pos.sideToMove ^= 1;
}

void unmakeNullMove(Position& pos, const UndoRecord& record) {
    pos.sideToMove ^= 1;
    pos.castleRights = record.savedCastleRights;
    pos.epSquare = record.savedEpSquare;
    pos.pawnKey = record.savedPawnKey;
    pos.hashKey = record.savedHashKey;
    (--pos.historyTop)->move = 0;  // no entry at or above the top keeps a move played from it
}
