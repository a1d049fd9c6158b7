// The command loop: every word of the interface, in order, to its command.
#pragma once

#include <cstdio>

#include "front/input.h"

// Start-up, handshake and the loop over standard input; returns at quit or
// at the end of input.
void commandLoop();

// Answers the interface's first word with the feature lines.
bool handshake(std::FILE* in);

// Reads and dispatches words from in until quit or the end of input.
void runCommands(std::FILE* in);

// Reads the next word and logs it as received ("::cmd:: "); an over-long
// word is logged as ignored instead.
WordRead readLoggedWord(std::FILE* in, char (&word)[WORD_BUFFER_SIZE]);

// One word, already read from in (which supplies the command's arguments).
// False when the word ends the session (quit).
bool dispatchWord(const char* word, std::FILE* in);
