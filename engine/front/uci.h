// The engine under UCI, chosen by the first word "uci": the same search, book, log
// and pondering as under xboard, with UCI's commands and answers. The interface
// decides when the game is over; the engine always answers a go with a move when
// the position has one.
#pragma once

#include "base/inbox.h"
#include "front/input.h"

// Answers the first word "uci": the engine's name and author, its options, uciok.
void uciHandshake();

// Reads and carries out UCI commands until quit, the end of input or a termination signal.
void runUciCommands(CommandInput& in);
// The same over an inbox of its own (tests fill one with text).
void runUciCommands(Inbox& inbox);
