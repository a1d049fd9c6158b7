// The opening book: lines of moves from the initial position, written into the
// transposition table as book entries when a game starts, and the book move of
// the current position at play time. The book keeps no store of its own.
#pragma once

#include <cstdint>
#include <string>

#include "board/position.h"

class TranspositionTable;

// ---- The book's numbers -----------------------------------------------------------
inline constexpr const char* BOOK_FILE_NAME = "Zorvak.book";
// Longest line the loader's buffers hold; longer records are refused.
inline constexpr int BOOK_LINE_MAX_MOVES = 64;
// Most characters skipped after the count on the first line of a book file.
inline constexpr long BOOK_COUNT_LINE_SKIP_LIMIT = 1000000;
// Bytes of one move in a record: the 16-bit Move code, little-endian.
inline constexpr int BOOK_MOVE_BYTES = 2;

// One record of a book file: the moves of a line from the initial position.
struct BookLine {
    int count = 0;
    Move moves[BOOK_LINE_MAX_MOVES] = {};
};

// Whether pos is the one the book's lines start from: the standard initial position,
// White to move, with all four castle rights.
bool isBookStart(const Position& pos);

// The book file a game loads: BOOK_FILE_NAME in the working directory, else the one
// beside the running executable, else the one in the data folder installed with it;
// the first that opens. When none does, the working directory's (whose load fails).
std::string findBookFile();

// Loads the book file into the table, its lines played on a position of the loader's
// own from the initial position. One line picked at random is written last, so it
// wins wherever lines share a position. False for a missing, malformed or unplayable
// file, or a file whose line count is wrong; entries written before the failure
// stay. Leaves the table's age as it found it.
bool loadBook(const char* fileName, TranspositionTable& tt);

// Plays moves[0..count) from pos and writes each position's move into the table as
// a book move. False, with nothing written, when a move is not legal in its position
// or the line is longer than BOOK_LINE_MAX_MOVES. Leaves pos as it found it on every
// path.
bool storeLine(Position& pos, TranspositionTable& tt, const Move* moves, int count);

// The book move of the current position: the move of its book entry in the table
// when that move is legal here, else 0. Playing it is the caller's business.
Move bookMove(Position& pos, const TranspositionTable& tt);

// The number of the chosen line, 1..lineCount, for a seed; the first line of the
// file has the number lineCount.
long pickBookLine(std::uint32_t seed, long lineCount);

// Seeds the next load's pick with seed instead of the clock (for tests, and to write
// the same book again).
void fixNextBookSeed(std::uint32_t seed);
// The seed of the last load's pick.
std::uint32_t lastBookSeed();
