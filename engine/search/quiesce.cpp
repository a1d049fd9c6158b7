#include "search/quiesce.h"

#include "board/makemove.h"
#include "eval/evaluate.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "search/draw.h"
#include "search/ordering.h"
#include "search/searchstate.h"
#include "search/tt.h"

namespace {

bool tooLittleToMate(const Position& pos) {
    return pos.totalMaterial < MIN_MATING_MATERIAL && pos.pawnCount[WHITE] == 0 && pos.pawnCount[BLACK] == 0;
}

// A capture (or evasion) that caused a cut-off becomes the ply's first killer.
void rememberKiller(PlyRecord& node, Move move) {
    if (move == node.killer1) return;
    node.killer2 = node.killer1;
    node.killer1 = move;
}

// Score of one move, made and taken back; the mover is S.
template <Side S>
int scoreMove(SearchWorker& w, PlyRecord& node, Move move, int depth, int ply, int alpha, int beta) {
    Position& pos = w.pos;
    makeMoveBy(pos, S, move, node.undo);
    ++w.currentPly;
    int score;
    if (leavesKingAttacked(pos, move, S, node.check))
        score = NO_MOVE_SCORE;
    else if (depth <= QS_DEPTH_LIMIT || ply >= MAX_PLY)
        score = -evaluate(pos, w.pawnCache);  // the last capture ply or record: the child is scored statically
    else if (tooLittleToMate(pos))
        score = 0;
    else
        score = -quiesceFor<S ^ 1>(w, depth - 1, ply + 1, -beta, -alpha);
    --w.currentPly;
    unmakeMoveBy(pos, S, move, node.undo);
    return score;
}

}  // namespace

template <Side S>
int quiesceFor(SearchWorker& w, int depth, int ply, int alpha, int beta) {
    countNode(w);
    Position& pos = w.pos;
    PlyRecord& node = *w.currentPly;

    // 1. Table probe: every entry qualifies at depth <= 0.
    int ttResult;
    if (probeAndApply(w.tt, pos, depth, alpha, beta, node, {mayNarrowAt(w, depth), false}, ttResult)) return ttResult;

    // 2. Set up.
    Bound bound = BOUND_UPPER;
    Move bestMove = 0;
    MoveEntry* const begin = listStartFor(w, node);
    computeCheckInfo(pos, node.check);
    const bool inCheck = node.check.checkers != 0;

    // 3. In check every evasion is searched; otherwise the side may stand pat.
    int best;
    if (inCheck) {
        node.moveListEnd = generateEvasions<S>(pos, begin, node.check);
        best = NO_MOVE_SCORE;
    } else {
        best = evaluate(pos, w.pawnCache);
        if (best > alpha) {
            if (best >= beta) return best;  // before generating anything
            alpha = best;
        }
        node.moveListEnd = generateCaptures<S>(pos, begin);
    }
    MoveEntry* const end = node.moveListEnd;

    // 4. Undo information for every move of the loop.
    saveUndoInfo(pos, node.undo);

    // 5. Ordering keys.
    setQuiesceKeys(begin, end, node);

    // 6. Move loop, best key first.
    for (MoveEntry* cursor = begin; cursor < end; ++cursor) {
        node.moveCursor = cursor;
        pickHighestKey(cursor, end);
        const Move move = cursor->move;
        const int score = scoreMove<S>(w, node, move, depth, ply, alpha, beta);
        cursor->score = static_cast<std::int16_t>(score);
        if (score <= best) continue;
        if (score > alpha) {
            if (score >= beta) {
                rememberKiller(node, move);
                w.tt.store(pos, 0, BOUND_LOWER, score, move);
                return score;
            }
            alpha = score;
            bound = BOUND_EXACT;
        }
        best = score;
        bestMove = move;
    }

    // 7. End of the node.
    if (best == NO_MOVE_SCORE) {  // in check without a legal evasion
        const int mated = ply - MATE_SCORE;
        w.tt.store(pos, 0, BOUND_EXACT, mated, VERDICT_MATED);
        return mated;
    }
    if (inCheck) {
        w.tt.store(pos, 1, bound, best, bestMove);
        return best;
    }
    if (bestMove) w.tt.store(pos, 0, bound, best, bestMove);  // only when a capture beat standing pat
    return best;
}

template int quiesceFor<WHITE>(SearchWorker&, int, int, int, int);
template int quiesceFor<BLACK>(SearchWorker&, int, int, int, int);

int quiesce(SearchWorker& w, int depth, int ply, int alpha, int beta) {
    return w.pos.sideToMove == WHITE ? quiesceFor<WHITE>(w, depth, ply, alpha, beta)
                                     : quiesceFor<BLACK>(w, depth, ply, alpha, beta);
}
