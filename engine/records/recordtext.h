// Text written from GAME records: PGN games in coordinate notation, and one
// line per position for the position database.
#pragma once

#include <ostream>

#include "records/gamerecord.h"

// Two lines: [Result "..."], then the numbered coordinate moves and the result.
void writePgnGame(const GameRecord& record, std::ostream& out);

// One line per ply, for the position before the move: ply, result code, FEN,
// move and the position's key as a signed 64-bit decimal, tab-separated. The
// moves are played from the current position, which must be the standard
// initial one, and taken back. Every move is tested for legality first: a record
// with an illegal move raises "MOVE NOT LEGAL IN GAME FILE" with nothing written
// and the position as it was.
void writePositionLines(const GameRecord& record, std::ostream& out);
