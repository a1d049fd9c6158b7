#include "search/search.h"

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "search/draw.h"
#include "search/nullmove.h"
#include "search/ordering.h"
#include "search/quiesce.h"
#include "search/searchstate.h"
#include "search/tt.h"

namespace {

// Counts the node on the path's checks of its side while it is in check, and
// uncounts it on every way out.
class CheckOnPath {
public:
    CheckOnPath(std::uint32_t (&counts)[2], Side side, bool inCheck) : counts_(counts), side_(side), inCheck_(inCheck) {
        if (inCheck_) extension_ = counts_[side_]++ > 0 ? 1 : 0;
    }
    ~CheckOnPath() {
        if (inCheck_) --counts_[side_];
    }
    CheckOnPath(const CheckOnPath&) = delete;
    CheckOnPath& operator=(const CheckOnPath&) = delete;
    // One more ply for the second check of the same side on the path.
    int extension() const { return extension_; }

private:
    std::uint32_t (&counts_)[2];
    Side side_;
    bool inCheck_;
    int extension_ = 0;
};

// The null-move search; its result is not stored.
template <Side S>
int nullMoveScore(SearchWorker& w, PlyRecord& node, int reduction, int depth, int ply, int beta) {
    if (!node.moveListEnd) node.moveListEnd = listStartFor(w, node);  // the child's list starts here
    makeNullMove(w.pos, node.undo);
    ++w.currentPly;
    w.currentPly->moveListEnd = nullptr;
    const int score = depth > reduction + 1
                          ? -searchFor<S ^ 1>(w, depth - reduction - 1, ply + 1, -beta, -beta + 1, false)
                          : -quiesceFor<S ^ 1>(w, 0, ply + 1, -beta, -beta + 1);
    --w.currentPly;
    unmakeNullMove(w.pos, node.undo);
    node.moveListEnd = nullptr;
    return score;
}

// A child searched with a null window first once alpha has been raised, and again
// with the full window only when it lands inside it.
template <Side S>
int searchChild(SearchWorker& w, int depth, int ply, int alpha, int beta, bool alphaRaised) {
    if (depth <= 0 || ply >= MAX_SEARCH_DEPTH) return -quiesceFor<S ^ 1>(w, 0, ply + 1, -beta, -alpha);
    if (alphaRaised) {
        const int score = -searchFor<S ^ 1>(w, depth, ply + 1, -alpha - 1, -alpha, true);
        if (score <= alpha || score >= beta) return score;
    }
    return -searchFor<S ^ 1>(w, depth, ply + 1, -beta, -alpha, true);
}

// Score of one move, made and taken back; the mover is S.
template <Side S>
int scoreMove(SearchWorker& w, PlyRecord& node, Move move, int childDepth, int ply, int alpha, int beta,
              bool alphaRaised) {
    Position& pos = w.pos;
    makeMoveBy(pos, S, move, node.undo);
    ++w.currentPly;
    int score;
    if (leavesKingAttacked(pos, move, S, node.check)) {
        score = NO_MOVE_SCORE;
    } else if (checkDraw(pos, 1)) {
        score = 0;
    } else {
        w.currentPly->moveListEnd = nullptr;
        score = searchChild<S>(w, childDepth, ply, alpha, beta, alphaRaised);
    }
    --w.currentPly;
    unmakeMoveBy(pos, S, move, node.undo);
    return score;
}

}  // namespace

void recordCutoff(SearchWorker& w, PlyRecord& node, Side side, Move move, int depth) {
    if (killerKind(move) && move != node.killer1) {
        node.killer2 = node.killer1;
        node.killer1 = move;
    }
    w.history[side][move & 0xFFF] += static_cast<std::uint32_t>(depth * depth);
}

template <Side S>
int searchFor(SearchWorker& w, int depth, int ply, int alpha, int beta, bool nullAllowed) {
    // 0. A stopped search enters no further node. Its callers look only after a child
    // returns, and a node left without table help would otherwise still run its
    // internal deepening and first child, each doing the same below it: at the depths
    // of simple endgames that is more nodes than the clock has.
    if (stopRequested(w)) return NO_MOVE_SCORE;  // unsearched: the caller polls and drops it
    countNode(w);
    Position& pos = w.pos;
    PlyRecord& node = *w.currentPly;

    // 1. Table probe: exact hits and bound cut-offs return; a bound may narrow the window.
    int ttResult;
    if (probeAndApply(w.tt, pos, depth, alpha, beta, node, {mayNarrowAt(w, depth), false}, ttResult)) return ttResult;

    // 2. Set up.
    int best = NO_MOVE_SCORE;
    Bound bound = BOUND_UPPER;
    Move bestMove = 0;
    computeCheckInfo(pos, node.check);
    const bool inCheck = node.check.checkers != 0;

    // 3. Null move: if passing still fails high, so will a real move.
    if (nullAllowed && !inCheck) {
        const int reduction = nullMoveReduction(pos.pieceMaterial[S], depth);
        if (reduction > 0) {
            const int score = nullMoveScore<S>(w, node, reduction, depth, ply, beta);
            if (stopRequested(w)) return NO_MOVE_SCORE;
            if (score >= beta) return score;
        }
    }

    // 4. Internal deepening: a shallower search finds a move to try first.
    if (node.ttDepth < depth - IID_REDUCTION) {
        searchFor<S>(w, depth - IID_REDUCTION, ply, alpha, beta, nullAllowed);
        if (const std::optional<HashEntry> entry = w.tt.probe(pos)) node.hashMove = entryMove(*entry);
    }

    // 5. Check extension: the second check of the same side on the path.
    const CheckOnPath checks(w.checkCount, S, inCheck);
    const int childDepth = depth + checks.extension() - 1;

    // 6. Generation, unless internal deepening left a list here.
    MoveEntry* const begin = listStartFor(w, node);
    if (!node.moveListEnd) {
        node.moveListEnd = inCheck ? generateEvasions<S>(pos, begin, node.check) : generateAll<S>(pos, begin);
        saveUndoInfo(pos, node.undo);
    }
    MoveEntry* const end = node.moveListEnd;

    // 7. Ordering keys.
    setSearchKeys(begin, end, node);

    // 8. Move loop.
    bool historyPhase = false;
    for (MoveEntry* cursor = begin; cursor < end; ++cursor) {
        node.moveCursor = cursor;
        pickNextMove(w, S, cursor, end, historyPhase);
        const Move move = cursor->move;
        const int score = scoreMove<S>(w, node, move, childDepth, ply, alpha, beta, bound == BOUND_EXACT);
        if (stopRequested(w)) return best;
        cursor->score = static_cast<std::int16_t>(score);
        if (score <= best) continue;
        if (score > alpha) {
            if (score >= beta) {
                recordCutoff(w, node, S, move, depth);
                w.tt.store(pos, depth, BOUND_LOWER, score, move);
                return score;
            }
            alpha = score;
            bound = BOUND_EXACT;
        }
        best = score;
        bestMove = move;
    }

    // 9. End of the node: no legal move is mate or stalemate.
    if (best == NO_MOVE_SCORE) {
        if (inCheck) {
            const int mated = ply - MATE_SCORE;
            w.tt.store(pos, depth, BOUND_EXACT, mated, VERDICT_MATED);
            return mated;
        }
        w.tt.store(pos, depth, BOUND_EXACT, 0, VERDICT_STALEMATE);
        return 0;
    }
    w.tt.store(pos, depth, bound, best, bestMove);
    return best;
}

template int searchFor<WHITE>(SearchWorker&, int, int, int, int, bool);
template int searchFor<BLACK>(SearchWorker&, int, int, int, int, bool);

int search(SearchWorker& w, int depth, int ply, int alpha, int beta, bool nullAllowed) {
    return w.pos.sideToMove == WHITE ? searchFor<WHITE>(w, depth, ply, alpha, beta, nullAllowed)
                                     : searchFor<BLACK>(w, depth, ply, alpha, beta, nullAllowed);
}
