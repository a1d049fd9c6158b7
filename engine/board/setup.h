// Setting up a position from FEN or EPD text, writing it back as FEN, and
// printing it as a diagram.
#pragma once

#include "board/position.h"

inline constexpr const char* START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// Sets up the position; false when the text is malformed or the position is
// one the engine cannot play safely. Clears every search table.
bool setPosition(const char* text, bool loadBookFlag);

// Writes the position as four FEN fields; buffer must hold FEN_BUFFER_SIZE bytes.
inline constexpr int FEN_BUFFER_SIZE = 96;
char* writeFen(char* buffer);

// Prints a 64-byte board as a diagram on standard output.
void printBoard(const Piece* board);
