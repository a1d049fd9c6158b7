#include "search/root.h"

#include <utility>

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "search/draw.h"
#include "search/ordering.h"
#include "search/report.h"
#include "search/rootchoice.h"
#include "search/search.h"
#include "search/searchstate.h"
#include "search/tt.h"

namespace {

// The root's children: a three-fold repetition draws here, not a two-fold one.
template <Side S>
int scoreRootMove(SearchWorker& w, PlyRecord& root, Move move, int alpha, int beta, bool alphaRaised) {
    Position& pos = w.pos;
    makeMoveBy(pos, S, move, root.undo);
    ++w.currentPly;
    int score;
    if (leavesKingAttacked(pos, move, S, root.check)) {
        score = NO_MOVE_SCORE;
    } else if (checkDraw(pos, 2)) {
        score = 0;
    } else {
        w.currentPly->moveListEnd = nullptr;
        const int depth = w.iterationDepth - 1;
        if (alphaRaised) {
            score = -searchFor<S ^ 1>(w, depth, 1, -alpha - 1, -alpha, true);
            if (score > alpha && score < beta) score = -searchFor<S ^ 1>(w, depth, 1, -beta, -alpha, true);
        } else {
            score = -searchFor<S ^ 1>(w, depth, 1, -beta, -alpha, true);
        }
    }
    --w.currentPly;
    unmakeMoveBy(pos, S, move, root.undo);
    return score;
}

// The best entry goes to the head of the list, where the front end reads it.
void promote(SearchWorker& w, MoveEntry* bestEntry) { std::swap(*bestEntry, w.moveList[0]); }

template <Side S>
int searchRootFor(SearchWorker& w, int alpha, int beta) {
    countNode(w);
    Position& pos = w.pos;
    PlyRecord& root = w.plies[0];
    MoveEntry* const list = w.moveList;

    // 1. Table probe; a mate score is searched again rather than returned.
    int ttResult;
    if (probeAndApply(w.tt, pos, w.iterationDepth, alpha, beta, root, {mayNarrowAt(w, w.iterationDepth), true},
                      ttResult))
        return ttResult;

    // 2. Set up.
    int best = NO_MOVE_SCORE;
    Bound bound = BOUND_UPPER;
    MoveEntry* bestEntry = nullptr;
    const bool inCheck = root.check.checkers != 0;

    // 3. Generation in the first iteration only; later ones reuse the list and its scores.
    if (!root.moveListEnd) {
        root.moveListEnd = inCheck ? generateEvasions<S>(pos, list, root.check) : generateAll<S>(pos, list);
        saveUndoInfo(pos, root.undo);
    }
    MoveEntry* const end = root.moveListEnd;

    // 4. Ordering keys.
    setSearchKeys(list, end, root);

    // 5. Move loop. The last choice is beaten only by a move that fails high above
    // its score or outscores it in this pass, once it has its own result here.
    const RootChoice& last = finishedRootChoice(w);
    bool lastSearched = !last.known;
    bool historyPhase = false;
    for (MoveEntry* cursor = list; cursor < end; ++cursor) {
        root.moveCursor = cursor;
        pickNextMove(w, S, cursor, end, historyPhase);
        const Move move = cursor->move;
        const int score = scoreRootMove<S>(w, root, move, alpha, beta, bound == BOUND_EXACT);
        if (stopRequested(w)) return best;  // the list stays in the order reached
        cursor->score = static_cast<std::int16_t>(score);
        if (move == last.move) lastSearched = true;
        if (score > best) {
            bestEntry = cursor;
            best = score;
            if (score > alpha) {
                if (score >= beta) {
                    recordCutoff(w, root, S, move, w.iterationDepth);
                    w.tt.store(pos, w.iterationDepth, BOUND_LOWER, score, move);
                    promote(w, bestEntry);
                    if (lastSearched || score > last.score) offerRootMove(w, move, score, ReportKind::FAIL_HIGH);
                    return score;
                }
                alpha = score;
                bound = BOUND_EXACT;
            }
        }
        if (lastSearched && bound == BOUND_EXACT) offerRootMove(w, bestEntry->move, best, ReportKind::NEW_BEST);
    }

    // 6. End: the best move to the head, or the verdict when no move was legal (which
    // includes a side whose generator found nothing at all).
    if (bestEntry) {
        w.tt.store(pos, w.iterationDepth, bound, best, bestEntry->move);
        promote(w, bestEntry);
        return best;
    }
    const int score = inCheck ? -MATE_SCORE : 0;
    const Move verdict = inCheck ? VERDICT_MATED : VERDICT_STALEMATE;
    list[0] = {static_cast<std::int16_t>(score), verdict};
    root.moveListEnd = list;  // the verdict is no move: later iterations find none again
    w.tt.store(pos, w.iterationDepth, BOUND_EXACT, score, verdict);
    return score;
}

}  // namespace

int searchRoot(SearchWorker& w, int alpha, int beta) {
    return w.pos.sideToMove == WHITE ? searchRootFor<WHITE>(w, alpha, beta) : searchRootFor<BLACK>(w, alpha, beta);
}
