// Recorded games are replayed on the engine's own board. A game the engine may be
// playing is put aside meanwhile and put back afterwards, so that a converter run
// in the middle of a game leaves the game as it was.
#pragma once

#include <memory>

#include "board/position.h"

// The replay touches the board only: the position, what its set-up began with, and
// the game history (the set-up empties it, every move made writes the entry above
// its top). Tables the search and the evaluation fill are left alone, so they are
// neither cleared nor put aside.
class ReplayBoard {
public:
    // Puts the game aside and sets up the standard initial position.
    ReplayBoard();
    // Puts the game back.
    ~ReplayBoard();
    ReplayBoard(const ReplayBoard&) = delete;
    ReplayBoard& operator=(const ReplayBoard&) = delete;

private:
    Position position_;
    SetupOrigin setupOrigin_;
    std::unique_ptr<GameHistoryEntry[]> history_;
    GameHistoryEntry* historyTop_;
};
