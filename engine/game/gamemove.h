// Game moves at the root: reading the interface's coordinate moves, checking
// that a move can be played, making it, taking game moves back, the side-to-move
// switch, and the reply the engine predicts and ponders on.
#pragma once

#include <atomic>
#include <cstdint>

#include "board/types.h"

// Whether the engine's last move came from the book: the first move searched after
// the book gets a longer budget. A game move taken back takes its change back too.
extern std::atomic<std::uint8_t> lastMoveFromBook;

// The word's move in the root snapshot (never the live position, which may
// carry a ponder move); 0 when the word is not a move, as when it names the
// same square twice.
Move parseCoordinateMove(const char* word);

// The legal move of the game position that a coordinate word names ("e2e4",
// "e7e8q"), or 0: for a word that names no legal move there, or that has more after
// a move than a promotion's piece.
Move legalGameMove(const char* word);

// Makes a game move on the position, keeping what taking it back needs: refreshes
// the root snapshot, clears the history counters and logs the new key. False for
// no move.
bool applyGameMove(Move move);

// Takes back the last count game moves as if they had never been made: position,
// keys, game history (so repetition and fifty-move counts), root snapshot and the
// book flag; logs the new key. All or nothing: false, with nothing changed, when
// fewer than count moves can be taken back (before the first move of the set-up,
// past a side-to-move switch, or past the part of a very long game whose history
// has been dropped). Must not be called with a predicted reply on the board.
bool takeBackGameMoves(int count);

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
// A ponder hit: the opponent played the predicted reply, which becomes a game move.
void keepPonderMove();
// The reply the table predicts to move (a legal move of the position): its entry's
// move for the position after move when that is legal there, else 0. Leaves the
// position as it was.
Move predictedReplyTo(Move move);
