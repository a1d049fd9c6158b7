// Game moves at the root: reading the interface's coordinate moves, checking
// that a move can be played, making it, the side-to-move switch, and the reply
// the engine predicts and ponders on.
#pragma once

#include "board/types.h"

// The word's move in the root snapshot (never the live position, which may
// carry a ponder move); 0 when the word is not a move, as when it names the
// same square twice.
Move parseCoordinateMove(const char* word);

// Makes a game move on the position for good (no game move is taken back yet):
// refreshes the root snapshot, clears the history counters and logs the new key.
// False for no move.
bool applyGameMove(Move move);

// Gate of the opponent-move path: the interface is not trusted, since an
// impossible move would corrupt the position. True for legal moves only.
bool isAcceptableOpponentMove(Move move);

// Gives the move to side. Refused (false) when the other side would then be
// in check; any en-passant square is dropped, since it belongs to the side
// that was to move.
bool setSideToMove(Side side);

// ---- The predicted reply ------------------------------------------------------------
// Made on the live position only, while the root snapshot keeps the game as it
// stands; 0 when none is made.
Move ponderMove();
// Makes reply (a legal move here) as the predicted reply.
void makePonderMove(Move reply);
// Takes the predicted reply back off the board, if one is made.
void takeBackPonderMove();
// A ponder hit: the opponent played the predicted reply, which stays on the board.
void keepPonderMove();
