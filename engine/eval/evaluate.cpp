#include "eval/evaluate.h"

#include <algorithm>
#include <cassert>

#include "eval/evalconst.h"
#include "eval/imbalance.h"
#include "eval/kingsafety.h"
#include "eval/pawns.h"
#include "eval/pieces.h"

namespace {

bool deadDraw(const Position& pos, int pawnsOnBoard) { return pos.totalMaterial < DEAD_DRAW_BELOW && pawnsOnBoard == 0; }

}  // namespace

Score evaluate(const Position& pos, PawnHashTable& pawnCache) {
    // The king terms index tables by the king squares without a test.
    assert(pos.kingSquare[WHITE] < 64 && pos.kingSquare[BLACK] < 64);

    EvalState state;
    state.pawnsOnBoard = pos.pawnCount[WHITE] + pos.pawnCount[BLACK];
    if (deadDraw(pos, state.pawnsOnBoard)) return 0;

    addKingPlacementAndShelter(pos, state);
    addPawnStructure(pos, pawnCache, state);
    addKnights<WHITE>(pos, state);
    addKnights<BLACK>(pos, state);
    addBishops<WHITE>(pos, state);
    addBishops<BLACK>(pos, state);
    addRooks<WHITE>(pos, state);
    addRooks<BLACK>(pos, state);
    addQueens<WHITE>(pos, state);
    addQueens<BLACK>(pos, state);
    addMaterialImbalance(pos, state);
    state.score += kingDangerScore(pos, state);

    // A 16-bit sum; kept below any mate score so that the search never mistakes it for one.
    const Score whiteView = static_cast<Score>(std::clamp<int>(static_cast<Score>(state.score), -EVAL_LIMIT, EVAL_LIMIT));
    return pos.sideToMove == WHITE ? whiteView : static_cast<Score>(-whiteView);
}
