#include "search/ordering.h"

#include <utility>

#include "search/searchconst.h"
#include "search/worker.h"

namespace {

// Each entry's history-phase key sits at the same place in the worker's key array.
std::uint32_t& historyKeyOf(SearchWorker& w, const MoveEntry* entry) { return w.historyKeys[entry - w.moveList]; }

void computeHistoryKeys(SearchWorker& w, Side side, MoveEntry* cursor, MoveEntry* end) {
    for (MoveEntry* e = cursor; e < end; ++e)
        historyKeyOf(w, e) = w.history[side][e->move & 0xFFF] + HISTORY_KEY_BIAS + static_cast<std::uint32_t>(e->score);
}

// The first of the highest keys, as in pickHighestKey.
void pickHighestHistoryKey(SearchWorker& w, MoveEntry* cursor, MoveEntry* end) {
    std::uint32_t* const keys = &historyKeyOf(w, cursor);
    const std::ptrdiff_t count = end - cursor;
    std::ptrdiff_t best = 0;
    std::uint32_t bestKey = keys[0];
    for (std::ptrdiff_t i = 1; i < count; ++i)
        if (keys[i] > bestKey) {
            best = i;
            bestKey = keys[i];
        }
    std::swap(cursor[best], cursor[0]);
    std::swap(keys[best], keys[0]);
}

}  // namespace

void setSearchKeys(MoveEntry* begin, MoveEntry* end, const PlyRecord& ply) {
    for (MoveEntry* e = begin; e < end; ++e) {
        if (e->move == ply.hashMove)
            e->score = HASH_MOVE_KEY;
        else if (e->move == ply.killer1)
            e->score = KILLER1_KEY;
        else if (e->move == ply.killer2)
            e->score = KILLER2_KEY;
    }
}

void setQuiesceKeys(MoveEntry* begin, MoveEntry* end, const PlyRecord& ply) {
    for (MoveEntry* e = begin; e < end; ++e) {
        if (e->move == ply.hashMove)
            e->score = HASH_MOVE_KEY;
        else if (e->move == ply.killer1)
            e->score = static_cast<std::int16_t>(e->score + QS_KILLER1_BONUS);
        else if (e->move == ply.killer2)
            e->score = static_cast<std::int16_t>(e->score + QS_KILLER2_BONUS);
    }
}

void pickHighestKey(MoveEntry* cursor, MoveEntry* end) {
    MoveEntry* best = cursor;
    for (MoveEntry* e = cursor + 1; e < end; ++e)
        if (e->score > best->score) best = e;
    std::swap(*best, *cursor);
}

void pickNextMove(SearchWorker& w, Side side, MoveEntry* cursor, MoveEntry* end, bool& historyPhase) {
    if (!historyPhase) {
        pickHighestKey(cursor, end);
        if (cursor->score >= HISTORY_PHASE_BELOW) return;
        historyPhase = true;
        computeHistoryKeys(w, side, cursor, end);
    }
    pickHighestHistoryKey(w, cursor, end);
}
