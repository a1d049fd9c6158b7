#include "board/position.h"

#include <algorithm>
#include <cstring>

void compactGameHistory(Position& p) {
    GameHistoryEntry* const history = p.history;
    const long used = p.historyTop - history;
    if (used < GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE) return;
    // Repetition and fifty-move scans reach at most 100 plies back, so only the
    // newest entries matter; counts are capped so no scan can run off the start.
    const long first = used + 1 - HISTORY_KEEP_ON_COMPACT;
    std::memmove(history, history + first, HISTORY_KEEP_ON_COMPACT * sizeof(GameHistoryEntry));
    for (int i = 0; i < HISTORY_KEEP_ON_COMPACT; ++i)
        history[i].reversibleCount = std::min<std::uint16_t>(history[i].reversibleCount, 1000);
    // The entries above the new top keep no moves (making a move relies on it).
    std::fill(history + HISTORY_KEEP_ON_COMPACT, history + used + 1, GameHistoryEntry{});
    p.historyTop = history + HISTORY_KEEP_ON_COMPACT - 1;
}

void startHistory(Position& p) {
    p.origin = {p.castleRights, p.epSquare};
    // The entries a previous game used are emptied: making a move relies on every
    // entry above the top holding no move.
    for (GameHistoryEntry* e = p.historyTop; e > p.history; --e) *e = GameHistoryEntry{};
    p.historyTop = p.history;
    p.history[0] = GameHistoryEntry{};
    p.history[0].setKey(p.hashKey);
}
