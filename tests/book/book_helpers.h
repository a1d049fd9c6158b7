// Helpers of the book tests: book files built from lines of coordinate moves and the
// book move of a position.
#pragma once

#include <string>
#include <vector>

#include "board/types.h"

using WordLine = std::vector<std::string>;  // coordinate moves from the initial position

// The moves of a line, each resolved in the position it is played from (the position
// is back where it started afterwards).
std::vector<Move> lineMoves(const WordLine& words);

// A book record: the count byte (the number of moves unless given) and the moves
// little-endian; a book file: the count line as given, then the records.
std::string bookRecord(const std::vector<Move>& moves, int countByte = -1);
std::string bookFile(const std::string& countLine, const std::vector<WordLine>& lines);

// The move of the book entry of the position after the words (0 when it has none);
// the position is back where it started afterwards.
Move bookMoveAfter(const WordLine& words);
