#include "search/draw.h"

#include "board/zobrist.h"

namespace {

bool insufficientMaterial(const Position& pos) {
    return pos.totalMaterial < MIN_MATING_MATERIAL && pos.pawnCount[WHITE] == 0 &&
           pos.pawnCount[BLACK] == 0;
}

// Occurrences of key, up to limit, in the history entries from `index` back in
// steps of two (same side to move) as far as the last irreversible move.
int countOccurrences(const Position& pos, HashKey key, long index, int limit) {
    const GameHistoryEntry* history = pos.history;
    int count = 0;
    if (index < 0) return 0;
    for (int k = history[index].reversibleCount; k >= 0 && index >= 0; k -= 2, index -= 2) {
        if (history[index].key() == key && ++count == limit) break;
    }
    return count;
}

}  // namespace

Move checkDraw(const Position& pos, int occurrences) {
    if (insufficientMaterial(pos)) return VERDICT_NO_MATERIAL;
    const int reversible = pos.historyTop->reversibleCount;
    if (reversible < MIN_REPETITION_PLIES) return 0;
    if (reversible >= FIFTY_MOVE_PLIES) return VERDICT_FIFTY_MOVES;
    const int found = countOccurrences(pos, pos.historyTop->key(), pos.historyLength() - 2, occurrences);
    return found >= occurrences ? VERDICT_REPETITION : 0;
}

// Works out the position after the move without making it, so neither the
// position nor the game history is touched.
int repetitionsAfter(const Position& pos, Move move) {
    const Square from = moveFrom(move), to = moveTo(move);
    const Piece piece = pos.board[from];
    if (moveKind(move) != KIND_QUIET || piece == EMPTY || isPawn(piece)) return 0;

    const int reversible = pos.historyTop->reversibleCount + 1;
    if (reversible < MIN_REPETITION_PLIES) return 0;
    if (reversible >= FIFTY_MOVE_PLIES) return 2;
    if (reversible > DISTRUST_REVERSIBLE_PLIES) return 1;
    // Castle-right and en-passant key changes are left out: an earlier position
    // with the same placement had already lost those rights, and an en-passant
    // square only follows a pawn move, which the count above has ruled out.
    const HashKey keyAfter = pos.hashKey ^ ZOBRIST[piece][from] ^ ZOBRIST[piece][to];
    // The entry two plies before the new position is the one before the current.
    return countOccurrences(pos, keyAfter, pos.historyLength() - 1, 2);
}
