// Shared test helpers: positions set up, squares and moves named, moves played, snapshots.
#pragma once

#include <string>
#include <vector>

#include "board/makemove.h"
#include "game/setup.h"
#include "movegen/notation.h"

// Undo records for the moves a test makes by hand, one per ply.
inline constexpr int TEST_UNDO_RECORDS = 256;
extern UndoRecord testUndo[TEST_UNDO_RECORDS];

// Sets up a FEN or fails the test.
void setUpOrFail(const char* fen);

// The square of a name such as "e4".
inline Square squareOf(const char* name) { return (name[0] - 'a') + 8 * ('8' - name[1]); }

// The Move for a coordinate word ("e2e4", "e7e8q", "e1g1") in the current position,
// its kind read from the board the way the interface reads it.
inline Move coordinateMove(const std::string& word) { return parseSquarePair(word.c_str()); }

// Plays coordinate words as game moves (never taken back).
void playMoves(const std::vector<std::string>& words);

// Current position's FEN (four fields).
std::string currentFen();

// A move's coordinate text ("e2e4", "e7e8q").
std::string moveText(Move move);

// The log line of a position's key: its halves in lowercase hexadecimal.
std::string keyLogLine(HashKey key);

// A full snapshot of the position for bit-for-bit comparisons.
struct PositionSnapshot {
    Position position;
    long historyDepth;
    bool operator==(const PositionSnapshot& other) const;
};
PositionSnapshot takeSnapshot();
