// The command loop: every word of the interface, in order, to its command.
#pragma once

#include "base/inbox.h"
#include "front/input.h"

// Start-up, handshake and the loop over standard input; returns at quit, at the
// end of input or on a termination signal.
void commandLoop();

// Answers the interface's first word, already read, with the xboard feature lines
// (and the protocol message first when the word is not "xboard").
bool handshake(WordRead read, const char* firstWord);

// Reads and dispatches words until quit or the end of input.
void runCommands(CommandInput& in);
// The same over an inbox of its own (tests fill one with text).
void runCommands(Inbox& inbox);

// One word, already read from in (which supplies the command's arguments).
// False when the word ends the session (quit).
bool dispatchWord(const char* word, CommandInput& in);

// What a word read while the engine thinks on its own time did.
enum class WordWhileThinking {
    HANDLED,   // handled at once; the search goes on
    MOVE_NOW,  // `?`: the move is wanted now
    STOPS,     // a command that stops the search without a move: held, to run next
    WAITS,     // held until the move is out, with everything after it
};
// Reads the next word (a whole line is waiting) and deals with it as above.
WordWhileThinking handleWordWhileThinking(CommandInput& in);
