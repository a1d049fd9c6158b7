// The four offline converters, run from the command loop or the command line.
// They report on standard output (and draw a progress line on standard error when
// it is a terminal). A game the engine is playing is left as it was. Output files
// are only ever appended to, a whole game at a time, and a report never counts a
// game that was not written whole. Each returns false when a file could not be
// opened, read to its end or written.
#pragma once

// Appends the decided games of a PGN file that are not in the GAME file yet; total
// grows by the number written. A game with an error is reported and rejected, and
// the reading goes on with the next game.
bool pgn2game(const char* pgnFile, const char* gameFile, int& total);

// pgn2game for every file named in the list file, one name a line.
bool pgnlist2game(const char* listFile, const char* gameFile);

// Writes the games of a GAME file as PGN text in coordinate notation.
bool game2pgn(const char* gameFile, const char* pgnFile);

// Writes one line per position of every game of a GAME file.
bool game2pos(const char* gameFile, const char* dbFile);

// The converter a command word names ("pgn2game", ...), nullptr for any other word.
using Converter = bool (*)(const char* source, const char* target);
Converter converterNamed(const char* word);
