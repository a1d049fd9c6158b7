#include "search/draw.h"

#include "board/zobrist.h"

namespace {

bool insufficientMaterial() {
    return position.totalMaterial < MIN_MATING_MATERIAL && position.pawnCount[WHITE] == 0 &&
           position.pawnCount[BLACK] == 0;
}

// Occurrences of key, up to limit, in the history entries from `index` back in
// steps of two (same side to move) as far as the last irreversible move.
int countOccurrences(HashKey key, long index, int limit) {
    int count = 0;
    if (index < 0) return 0;
    for (int k = gameHistory[index].reversibleCount; k >= 0 && index >= 0; k -= 2, index -= 2) {
        if (gameHistory[index].key() == key && ++count == limit) break;
    }
    return count;
}

long currentIndex() { return historyTop - gameHistory; }

}  // namespace

Move checkDraw(int occurrences) {
    if (insufficientMaterial()) return VERDICT_NO_MATERIAL;
    const int reversible = historyTop->reversibleCount;
    if (reversible < MIN_REPETITION_PLIES) return 0;
    if (reversible >= FIFTY_MOVE_PLIES) return VERDICT_FIFTY_MOVES;
    const int found = countOccurrences(historyTop->key(), currentIndex() - 2, occurrences);
    return found >= occurrences ? VERDICT_REPETITION : 0;
}

// Works out the position after the move without making it, so neither the
// position nor the game history is touched.
int repetitionsAfter(Move move) {
    const Square from = moveFrom(move), to = moveTo(move);
    const Piece piece = position.board[from];
    if (moveKind(move) != KIND_QUIET || piece == EMPTY || isPawn(piece)) return 0;

    const int reversible = historyTop->reversibleCount + 1;
    if (reversible < MIN_REPETITION_PLIES) return 0;
    if (reversible >= FIFTY_MOVE_PLIES) return 2;
    if (reversible > DISTRUST_REVERSIBLE_PLIES) return 1;
    // Castle-right and en-passant key changes are left out: an earlier position
    // with the same placement had already lost those rights, and an en-passant
    // square only follows a pawn move, which the count above has ruled out.
    const HashKey keyAfter = position.hashKey ^ ZOBRIST[piece][from] ^ ZOBRIST[piece][to];
    // The entry two plies before the new position is the one before the current.
    return countOccurrences(keyAfter, currentIndex() - 1, 2);
}
