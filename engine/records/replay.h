// The board recorded games are replayed on: a position of the converter's own, set up
// at the standard initial position, where every game record starts. The game the
// engine may be playing is never touched.
#pragma once

#include <memory>

#include "board/position.h"

class ReplayBoard {
public:
    ReplayBoard();
    ReplayBoard(const ReplayBoard&) = delete;
    ReplayBoard& operator=(const ReplayBoard&) = delete;

    Position& position() { return *position_; }

private:
    std::unique_ptr<Position> position_;  // on the heap: a position carries its whole game history
};
