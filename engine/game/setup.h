// Starting a game: the position set up from FEN or EPD text, and everything the
// previous game left behind cleared.
#pragma once

#include "board/fen.h"

// Sets up the position of text with a fresh game history and root snapshot,
// clears the transposition table, the history counters, the killers and the pawn
// cache, loads the opening book when loadBookFlag is set and the position is the
// book's start (saying "tellusererror BOOK ERROR!" when it cannot), and resolves an
// EPD "am"/"bm" operation into avoidMove or expectedMove. False, with the game as
// it was, when the text is malformed, the position is one the engine cannot play
// safely, or the EPD move cannot be read.
bool setPosition(const char* text, bool loadBookFlag);

// Places the position of FEN text with a fresh game history and root snapshot, and
// nothing else: the search's tables stay, as for the same game set up again. False,
// with the game as it was, for text that setPosition would refuse.
bool placeGamePosition(const char* text);

// What a new game starts with, on the position just placed: the search's tables
// cleared and the book loaded when loadBookFlag is set and the position is the book's
// start. False (and nothing said) when that book could not be loaded.
bool startNewGame(bool loadBookFlag);

// After the table was cleared or resized: the book the game loaded is written again,
// with the same line picked. False when it could not be read again.
bool rewriteBook();
