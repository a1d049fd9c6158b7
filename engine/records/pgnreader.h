// Reading PGN games: the Result tag and the SAN movetext, each move tested by
// playing it on the engine's position from the standard initial position.
#pragma once

#include <cstdint>
#include <istream>

#include "records/gamerecord.h"

// Reads the tag section (only the Result tag is used). False when the input has
// ended; raises "Result Error 1" on an unknown result and "Result Error 2" when
// the section ends without a Result tag.
bool readPgnTags(GameRecord& record, std::istream& in);

// Reads one SAN word into record.token and resolves it in the current position;
// 0 when it is no move there.
Move readSanToken(GameRecord& record, std::istream& in);

// Reads one game into record. Returns its result bits (header & RESULT_MASK) when
// the game is taken, 0 for one that is not (unfinished, without moves, the end of
// the input, or with an unreadable word, after which the rest of the game is
// skipped up to the next tag line). The position must be the standard initial
// position, and is that again afterwards, also when an error is raised.
std::uint16_t readPgnGame(GameRecord& record, std::istream& in);

// Skips white space; true when another game may follow.
bool pgnInputLeft(std::istream& in);
