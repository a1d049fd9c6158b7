// Recorded games are replayed on the engine's own board. A game the engine may be
// playing is put aside meanwhile and put back afterwards, so that a converter run
// in the middle of a game leaves the game as it was.
#pragma once

#include <memory>

#include "board/plyrecord.h"
#include "search/tt.h"

class ReplayBoard {
public:
    // Puts the game aside and sets up the standard initial position, with
    // currentPly on its first record.
    ReplayBoard();
    // Puts the game back.
    ~ReplayBoard();
    ReplayBoard(const ReplayBoard&) = delete;
    ReplayBoard& operator=(const ReplayBoard&) = delete;

private:
    Position position_;
    std::unique_ptr<GameHistoryEntry[]> history_;
    GameHistoryEntry* historyTop_;
    RootSnapshot rootSnapshot_;
    SetupOrigin setupOrigin_;
    std::unique_ptr<PlyRecord[]> plyRecords_;
    PlyRecord* currentPly_;
    // The set-up clears the transposition table, which holds the game's book moves
    // and search results: it is put aside too.
    std::unique_ptr<HashEntry[]> table_;
    std::uint16_t hashAge_;
};
