// Reading PGN games: the tags that decide whether a game can be stored (Result,
// FEN) and the SAN movetext, each move tested by playing it on a board from the
// standard initial position.
#pragma once

#include <cstdint>
#include <istream>

#include "board/position.h"
#include "records/gamerecord.h"

// Reads the tag section (Result, FEN and Variant are used). False when the input has
// ended. A Result tag that is missing or names no result leaves resultCode '?'
// (and resultText what the tag said): the result word at the end of the movetext
// decides then.
bool readPgnTags(GameRecord& record, std::istream& in);

// Reads one game into record. Returns its result bits (header & RESULT_MASK) when
// the game is taken, 0 for one that is not: unfinished, without moves, at the end
// of the input, or one a GAME record cannot hold (record.skipReason says which;
// the rest of such a game is skipped). A game with a fault raises a RecordError
// (an illegal or unreadable move, a result word at odds with the Result tag, no
// result word at all, which is how a game cut short ends);
// the caller goes on with skipToNextGame. board must stand at the standard initial
// position, and is there again afterwards, also when an error is raised.
std::uint16_t readPgnGame(Position& board, GameRecord& record, std::istream& in);

// After a game that raised an error: the rest of its movetext up to the next line
// that opens a tag (comments skipped whole).
void skipToNextGame(std::istream& in);

// Skips white space, comments and escape lines between games; true when another
// game may follow.
bool pgnInputLeft(std::istream& in);
