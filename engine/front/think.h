// The engine's own move: from the book, or think for the move's budget while the
// interface's input is still read, play the best move, announce a finished game,
// and ponder on the predicted reply. Also the interface's analysis.
#pragma once

#include "base/inbox.h"
#include "board/types.h"
#include "front/input.h"

// Plays the current position's book move as the engine's move and announces it;
// false when the position has none (a legal one), which after book moves also
// grants the first searched move its longer budget. Main thread, search idle.
bool playBookMove();

// Searches for the budget (or, after a ponder hit, the rest of it) while reading
// the interface (see handleWordWhileThinking), stops the search and plays its move
// or announces the verdict. Leaves engineState at ENGINE_WAITING, or
// ENGINE_PONDERING when pondering started; a command that stopped the search
// without a move is held in `in`, to be dispatched next, with engineState ENGINE_IDLE.
void thinkAndMove(CommandInput& in);

// With the opponent to move after the engine's move: makes the reply the table
// predicts and searches on it. Logs "- NO ponder move" when there is none.
void startPondering();

// Starts the analysis of the game position (analyze mode): a search without a limit,
// of the MultiPV best lines, over the moves not excluded.
void startAnalysis();

// Stops any search, thinking, pondering or analysing, and takes a predicted reply
// back off the board: what every command that touches the game does first. Leaves
// engineState at ENGINE_IDLE.
void stopThinking();

// The move to play after a search, whatever the protocol: the search's move when it
// is legal in the game position, else the first legal move; 0 when there is none.
// Search idle.
Move playableBestMove();

// The result line for a game the search found over before moving (a verdict code
// in place of a move), or nullptr for a real move.
const char* verdictResultLine(Move verdict, Side toMove, bool inCheck);

// ---- Waiting for the search and the interface at once -------------------------------
// Makes the search thread's end of a search wake waits on inbox (nullptr: none).
void watchSearchFrom(Inbox* inbox);
// Waits until the search thread is idle, a whole line of input is waiting (only when
// watchInput), a quit is requested, or the deadline passes.
Inbox::Wake waitForSearch(Inbox& inbox, Inbox::Clock::time_point deadline, bool watchInput);
