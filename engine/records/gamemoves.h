// Playing the moves of one recorded game on a position and taking them all back. A
// game may run to MAX_GAME_PLIES moves, each with an undo record of its own.
#pragma once

#include <memory>

#include "board/undo.h"
#include "records/recordconst.h"

// The moves made, in order. Whichever way the owner's scope is left, even by an
// error, the destructor takes them back, last first.
class MadeGameMoves {
public:
    explicit MadeGameMoves(Position& pos) : pos_(pos), undo_(std::make_unique<UndoRecord[]>(MAX_GAME_PLIES)) {}
    ~MadeGameMoves() { takeBackAll(); }
    MadeGameMoves(const MadeGameMoves&) = delete;
    MadeGameMoves& operator=(const MadeGameMoves&) = delete;

    int count() const { return count_; }
    bool full() const { return count_ == MAX_GAME_PLIES; }
    // The undo record the next move will be made with (not full()).
    UndoRecord& nextRecord();
    // Makes a real move (kind 3 never comes here) of the side to move; not full().
    void make(Move move);
    // Makes move if it is one of the position's generated moves (not full()). A move
    // that leaves the mover's king attacked stays made, to go back with the rest.
    enum class Test { LEGAL, NOT_GENERATED, KING_ATTACKED };
    Test makeTested(Move move);
    void takeBackAll();

private:
    Position& pos_;
    std::unique_ptr<UndoRecord[]> undo_;
    Move moves_[MAX_GAME_PLIES];
    int count_ = 0;
};
