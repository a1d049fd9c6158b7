// The book move at play time: the position's book entry in the table.
#include "book/book.h"
#include "movegen/legal.h"
#include "search/tt.h"

// The key check compares only part of the key, so another position's entry can
// match: its move is taken only when it is legal here, or it would corrupt the game.
Move bookMove(Position& pos, const TranspositionTable& tt) {
    const std::optional<HashEntry> entry = tt.probe(pos);
    if (!entry || !isBookEntry(*entry)) return 0;
    const Move move = entryMove(*entry);
    return move != 0 && isLegalMove(pos, move) ? move : 0;
}
