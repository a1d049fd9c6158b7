// The engine's own move: from the book, or think for the move's budget, play the
// best move, announce a finished game, and ponder on the predicted reply.
#pragma once

#include "board/types.h"

// Plays the current position's book move as the engine's move and announces it;
// false when the position has none (a legal one), which after book moves also
// grants the first searched move its longer budget. Main thread, search idle.
bool playBookMove();

// Searches for the budget (or, after a ponder hit, the rest of it), stops the
// search and plays its move or announces the verdict. Leaves engineState at
// ENGINE_WAITING, or ENGINE_PONDERING when pondering started.
void thinkAndMove();

// With the opponent to move after the engine's move: makes the reply the table
// predicts and searches on it. Logs "- NO ponder move" when there is none.
void startPondering();

// Stops any search, thinking or pondering, and takes a predicted reply back off
// the board: what every command that touches the game does first. Leaves
// engineState at ENGINE_IDLE.
void stopThinking();

// The result line for a game the search found over before moving (a verdict code
// in place of a move), or nullptr for a real move.
const char* verdictResultLine(Move verdict, Side toMove, bool inCheck);
