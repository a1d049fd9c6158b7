// The four offline converters of the command loop. They report on standard
// output; pgn2game, pgnlist2game and game2pos leave the engine at the standard
// initial position with a cleared transposition table, game2pgn leaves it alone.
// Output files are only ever appended to.
#pragma once

// Appends the decided games of a PGN file that are not in the GAME file yet;
// total grows by the number written. A reading error is reported and then raised
// again (RecordError), with the position restored.
void pgn2game(const char* pgnFile, const char* gameFile, int& total);

// pgn2game for every file named in the list file, one name a line; a file that
// fails is reported and the next one taken.
void pgnlist2game(const char* listFile, const char* gameFile);

// Writes the games of a GAME file as PGN text in coordinate notation.
void game2pgn(const char* gameFile, const char* pgnFile);

// Writes one line per position of every game of a GAME file.
void game2pos(const char* gameFile, const char* dbFile);
