// A UCI go: the search it starts, the wait for its end, its time or the
// interface's next line, and the bestmove that answers it (exactly one per go).
// Main thread.
#pragma once

#include "base/inbox.h"

// go with any of wtime btime winc binc movestogo movetime depth nodes mate infinite
// ponder searchmoves, the rest of the line read from args. Answers at once with the
// book's move when the position has one (not for ponder or infinite; with
// searchmoves, one of them), else starts the search of the MultiPV best lines over
// searchmoves's legal moves (all moves when there are none). Search idle.
void startGo(Inbox& args);

// While a go's search runs: waits until a whole line of input is waiting, a quit is
// requested, or the go has been answered (its time is up, or the search ended by
// itself with no stop or ponderhit to wait for). Returns at once otherwise.
void waitForGoOrInput(Inbox& input);

// stop, or a command that needs the search idle: ends the search and answers the
// pending go, if any, with a legal move (0000 only when there is none) and the
// predicted reply.
void answerGo();

// ponderhit: the ponder search goes on as the search for the engine's move, its
// budget counted from the start of pondering.
void ponderHit();

// quit: forgets the pending go without answering it (the caller stops the search).
void abandonGo();
