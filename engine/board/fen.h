// The position as text: FEN (or EPD) read as a pure function of the text and
// written back, and the board printed as a diagram.
#pragma once

#include "board/position.h"

inline constexpr const char* START_FEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// An EPD operation "am X;" or "bm X;" found after the FEN fields; its move is
// resolved later, in the position set up.
struct EpdOperation {
    char operand[10];
    char name;  // 'a' for am, 'b' for bm, 0 for none
};

// Reads FEN or EPD text into p and op, writing nothing else. False when the text
// is malformed or the position is one the engine cannot play safely.
bool readFen(const char* text, Position& p, EpdOperation& op);

// Sets pos up from FEN text with a fresh game history, nothing else. False, with
// pos as it was, for text readFen refuses.
bool setUpBoard(Position& pos, const char* text);

// Writes the position as four FEN fields; buffer must hold FEN_BUFFER_SIZE bytes.
inline constexpr int FEN_BUFFER_SIZE = 96;
char* writeFen(const Position& pos, char* buffer);

// Prints a 64-byte board as a diagram on standard output.
void printBoard(const Piece* board);
