#include "eval/pawns.h"

#include "board/pst.h"
#include "eval/evalconst.h"
#include "eval/pawnhash.h"

namespace {

// Two enemy pawns weigh 3, one weighs 2.
int attackWeight(Bitboard attackers) { return moreThanOne(attackers) ? ATTACK_WEIGHT_TWO : ATTACK_WEIGHT_ONE; }

// The score of one pawn of side S on s, as a positive value for S.
template <Side S>
int pawnScore(const Position& pos, Square s, const PieceSquareTable& table) {
    const Side enemy = S ^ 1;
    const Bitboard own = pawnsOf(pos, S);
    const Bitboard theirs = pawnsOf(pos, enemy);
    int value = PAWN_VALUE + table[pstIndex<S>(s)];

    bool passer = (PASSED_MASK[S][s] & theirs) == 0;
    if (FILE_EXCEPT[s] & own) value -= DOUBLED_PAWN_PENALTY;
    if (FRONT_SPAN[S][s] & own) passer = false;  // only the foremost of doubled pawns can pass
    if (passer) value += PASSER_BONUS_PER_ROW * (7 - relativeRow<S>(s));

    const bool isolated = (ADJACENT_FILES[s] & own) == 0;
    if (isolated) {
        value -= ISOLATED_PAWN_PENALTY;
        if ((FRONT_SPAN[S][s] & theirs) == 0) value -= ISOLATED_OPEN_PAWN_PENALTY;
    } else if (!passer && relativeRow<S>(s) > 1) {
        // Attacked by enemy pawns and not defended enough by its own.
        const Bitboard attackers = PAWN_ATTACKS[S][s] & theirs;
        if (attackers) {
            const int defenders = popCount(PAWN_ATTACKS[enemy][s] & own);
            value -= ATTACKED_PAWN_UNIT * (attackWeight(attackers) - defenders);
        }
    }
    return value;
}

template <Side S>
int sidePawnScore(const Position& pos, const PieceSquareTable& table) {
    int sum = 0;
    for (Bitboard b = pawnsOf(pos, S); b;) sum += pawnScore<S>(pos, popLowestSquare(b), table);
    return sum;
}

}  // namespace

int pawnStructureScore(const Position& pos) {
    const PieceSquareTable& table = currentPst(pos, PST_PAWN);
    return sidePawnScore<WHITE>(pos, table) - sidePawnScore<BLACK>(pos, table);
}

int cachedPawnStructureScore(const Position& pos, PawnHashTable& cache) {
    const int tableId = currentPawnTableId(pos);
    int score;
    if (cache.probe(pos.pawnKey, tableId, score)) return score;
    score = pawnStructureScore(pos);
    cache.store(pos.pawnKey, tableId, score);
    return score;
}

void addPawnStructure(const Position& pos, PawnHashTable& cache, EvalState& state) {
    if (state.pawnsOnBoard == 0) return;
    state.score += cachedPawnStructureScore(pos, cache);
}
