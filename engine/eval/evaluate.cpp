#include "eval/evaluate.h"

#include <algorithm>
#include <cassert>

#include "eval/evalconst.h"
#include "eval/imbalance.h"
#include "eval/kingsafety.h"
#include "eval/pawns.h"
#include "eval/pieces.h"

namespace {

bool deadDraw(int pawnsOnBoard) { return position.totalMaterial < DEAD_DRAW_BELOW && pawnsOnBoard == 0; }

}  // namespace

Score evaluate() {
    // The king terms index tables by the king squares without a test.
    assert(position.kingSquare[WHITE] < 64 && position.kingSquare[BLACK] < 64);

    EvalState state;
    state.pawnsOnBoard = position.pawnCount[WHITE] + position.pawnCount[BLACK];
    if (deadDraw(state.pawnsOnBoard)) return 0;

    addKingPlacementAndShelter(state);
    addPawnStructure(state);
    addKnights<WHITE>(state);
    addKnights<BLACK>(state);
    addBishops<WHITE>(state);
    addBishops<BLACK>(state);
    addRooks<WHITE>(state);
    addRooks<BLACK>(state);
    addQueens<WHITE>(state);
    addQueens<BLACK>(state);
    addMaterialImbalance(state);
    state.score += kingDangerScore(state);

    // A 16-bit sum; kept below any mate score so that the search never mistakes it for one.
    const Score whiteView = static_cast<Score>(std::clamp<int>(static_cast<Score>(state.score), -EVAL_LIMIT, EVAL_LIMIT));
    return position.sideToMove == WHITE ? whiteView : static_cast<Score>(-whiteView);
}
