#include "search/nullmove.h"

#include "board/makemove.h"
#include "search/searchconst.h"

int nullMoveReduction(int pieceMaterial, int depth) {
    if (pieceMaterial <= 0) return 0;  // pawns alone: zugzwang is too likely
    if (pieceMaterial < NULL_SMALL_MATERIAL) return depth > NULL_SMALL_MAX_DEPTH ? 0 : NULL_REDUCTION;
    if (depth >= NULL_BIG_MIN_DEPTH && pieceMaterial >= NULL_BIG_MATERIAL) return NULL_BIG_REDUCTION;
    return NULL_REDUCTION;
}

void makeNullMove(UndoRecord& record) {
    GameHistoryEntry* const previous = historyTop;
    previous->move = NULL_MOVE;
    historyTop = previous + 1;
    historyTop->reversibleCount = static_cast<std::uint16_t>(previous->reversibleCount + 1);
    record.savedHashKey = position.hashKey;
    record.savedPawnKey = position.pawnKey;
    record.savedEpSquare = position.epSquare;
    record.savedCastleRights = position.castleRights;
    clearEnPassantSquare();
    historyTop->setKey(position.hashKey);
    position.sideToMove ^= 1;
}

void unmakeNullMove(const UndoRecord& record) {
    position.sideToMove ^= 1;
    position.castleRights = record.savedCastleRights;
    position.epSquare = record.savedEpSquare;
    position.pawnKey = record.savedPawnKey;
    position.hashKey = record.savedHashKey;
    (--historyTop)->move = 0;  // no entry at or above the top keeps a move played from it
}
