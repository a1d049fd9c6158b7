#include "board/position.h"

#include <algorithm>
#include <cstring>

Position position;
SetupOrigin setupOrigin;
GameHistoryEntry gameHistory[GAME_HISTORY_SIZE];
GameHistoryEntry* historyTop = gameHistory;

void compactGameHistory() {
    const long used = historyTop - gameHistory;
    if (used < GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE) return;
    // Repetition and fifty-move scans reach at most 100 plies back, so only the
    // newest entries matter; counts are capped so no scan can run off the start.
    const long first = used + 1 - HISTORY_KEEP_ON_COMPACT;
    std::memmove(gameHistory, gameHistory + first, HISTORY_KEEP_ON_COMPACT * sizeof(GameHistoryEntry));
    for (int i = 0; i < HISTORY_KEEP_ON_COMPACT; ++i)
        gameHistory[i].reversibleCount = std::min<std::uint16_t>(gameHistory[i].reversibleCount, 1000);
    // The entries above the new top keep no moves (making a move relies on it).
    std::fill(gameHistory + HISTORY_KEEP_ON_COMPACT, gameHistory + used + 1, GameHistoryEntry{});
    historyTop = gameHistory + HISTORY_KEEP_ON_COMPACT - 1;
}

void placePosition(const Position& p) {
    position = p;
    setupOrigin = {position.castleRights, position.epSquare};
    // The entries a previous game used are emptied: making a move relies on every
    // entry above the top holding no move.
    for (GameHistoryEntry* e = historyTop; e > gameHistory; --e) *e = GameHistoryEntry{};
    historyTop = gameHistory;
    gameHistory[0] = GameHistoryEntry{};
    gameHistory[0].setKey(position.hashKey);
}
