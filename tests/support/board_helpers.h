// Shared test helpers: playing coordinate moves with full validation after every step.
#pragma once

#include <string>

#include "board/makemove.h"
#include "game/setup.h"

// Undo records for the moves a test makes by hand, one per ply.
inline constexpr int TEST_UNDO_RECORDS = 256;
extern UndoRecord testUndo[TEST_UNDO_RECORDS];

// Sets up a FEN or fails the test.
void setUpOrFail(const char* fen);

// Builds the Move for a coordinate word ("e2e4", "e7e8q", "e1g1") from the
// current position, working out the kind from the board the way the interface would.
Move coordinateMove(const std::string& word);

// Current position's FEN (four fields).
std::string currentFen();

// A full snapshot of the position for bit-for-bit comparisons.
struct PositionSnapshot {
    Position position;
    long historyDepth;
    bool operator==(const PositionSnapshot& other) const;
};
PositionSnapshot takeSnapshot();
