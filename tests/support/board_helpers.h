// Shared test helpers: positions set up, squares and moves named, moves played, snapshots.
#pragma once

#include <string>
#include <vector>

#include "board/makemove.h"
#include "game/gameposition.h"
#include "game/setup.h"
#include "movegen/notation.h"

// Undo records for the moves a test makes by hand, one per ply.
inline constexpr int TEST_UNDO_RECORDS = 256;
extern UndoRecord testUndo[TEST_UNDO_RECORDS];

// Sets up a FEN as the game position (gamePosition, with a new game's cleared
// search tables) or fails the test.
void setUpOrFail(const char* fen);

// The square of a name such as "e4".
inline Square squareOf(const char* name) { return (name[0] - 'a') + 8 * ('8' - name[1]); }

// The Move for a coordinate word ("e2e4", "e7e8q", "e1g1") in pos (the game
// position unless told), its kind read from the board the way the interface reads it.
inline Move coordinateMove(const std::string& word, Position& pos = gamePosition) {
    return parseSquarePair(pos, word.c_str());
}

// Plays coordinate words on pos (the game position unless told), never taken back.
void playMoves(const std::vector<std::string>& words, Position& pos = gamePosition);

// The FEN (four fields) of pos, the game position unless told.
std::string currentFen(const Position& pos = gamePosition);

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
PositionSnapshot takeSnapshot(const Position& pos = gamePosition);

// A mark left in the engine's transposition table (an entry of a key no game reaches),
// to see whether something cleared the table.
void markEngineTable();
bool engineTableMarked();
