// Moves and lines written in SAN, as PGN export format has them (for annotations and
// analysis output; parseSan in notation.h reads them back).
#pragma once

#include <string>
#include <vector>

#include "board/position.h"

// The move in standard algebraic notation (Nbd2, R1a3, exd6, dxc1=N+, O-O-O#) in pos,
// which it must be legal in. The origin is named only as far as another legal move of a
// piece of the same kind to the same square needs it. pos is left as it was.
std::string moveToSan(Position& pos, Move move);

// The SAN of moves played in turn from pos, up to the first one that is not legal where it
// comes (or where pos's game history has no room for more). pos is left as it was.
std::vector<std::string> lineToSan(Position& pos, const std::vector<Move>& moves);
