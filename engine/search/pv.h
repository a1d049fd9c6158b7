// The principal variation read back from the transposition table.
#pragma once

#include <vector>

#include "board/position.h"

class TranspositionTable;

// pvToText's buffer: room for the longest variation, as long as the deepest search
// (six characters a move), and a closing verdict text.
inline constexpr int PV_BUFFER_SIZE = 1024;

// Text of a pseudo-move (kind 3) in the principal variation: "# " for mate,
// the draw texts, "NULL", and "ERROR" for any other code.
const char* pseudoMoveText(Move code);

// Text that ends a variation where the table has no (usable) entry.
inline constexpr const char* NO_ENTRY_TEXT = "NOE ";

// LOG: the moves, each followed by a blank, ended by a verdict text or
// NO_ENTRY_TEXT where the table gives no legal move ("e2e4 e7e5 NOE ").
// MOVES_ONLY: the moves alone, blank-separated ("e2e4 e7e5"), for the interface.
enum class PvStyle { LOG, MOVES_ONLY };

// Writes at most maxMoves (and at most MAX_SEARCH_DEPTH) moves of pos's principal
// variation, as the table holds it, into buffer. Leaves pos and its game history as
// it found them.
void pvToText(Position& pos, const TranspositionTable& tt, char* buffer, int maxMoves, PvStyle style = PvStyle::LOG);
// The same, with first (when not 0) as the line's first move and the table's line
// after it: the root's line names the move the search chose even where the root's
// own entry is an older, deeper one that its results could not replace.
void pvToTextFrom(Position& pos, const TranspositionTable& tt, char* buffer, Move first, int maxMoves,
                  PvStyle style = PvStyle::LOG);

// The same line as moves: first (when legal) and the table's line after it, at most
// maxMoves of them, each legal where it is played; pos is left as it was.
std::vector<Move> principalLine(Position& pos, const TranspositionTable& tt, Move first, int maxMoves);
