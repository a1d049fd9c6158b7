// Text written from GAME records: PGN games in coordinate notation, and one
// line per position for the position database. Both play the record's moves on
// board, which must stand at the standard initial position, test each for legality
// first and take them back: a record with a move that is not legal in its position
// raises "MOVE NOT LEGAL IN GAME FILE" with nothing appended and board as it was.
#pragma once

#include <string>

#include "board/position.h"
#include "records/gamerecord.h"

// Two lines: [Result "..."], then the numbered coordinate moves and the result.
void appendPgnGame(Position& board, const GameRecord& record, std::string& text);

// One line per ply, for the position before the move: ply, result code, FEN,
// move and the position's key as a signed 64-bit decimal, tab-separated.
void appendPositionLines(Position& board, const GameRecord& record, std::string& text);
