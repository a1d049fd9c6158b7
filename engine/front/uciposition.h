// The game under UCI: the interface sends the whole game with every position
// command. Its moves are made as game moves, so the search sees the game's
// repetitions; a position that goes on from the game's last one (or takes another
// turn in the same game) keeps the search's tables and the book, and only a new
// game or an unrelated position clears them. Main thread, search idle.
#pragma once

#include "base/inbox.h"

// position startpos|fen FEN [moves M ...], the rest of the line read from args.
// A refused position (a bad FEN, a move that is no legal move where it stands) is
// said in an info string and leaves the game exactly as it was.
void setUciPosition(Inbox& args);

// ucinewgame: a new game from the initial position (with the book when OwnBook is on).
void startUciGame();
