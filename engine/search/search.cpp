#include "search/search.h"

#include "board/makemove.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "search/draw.h"
#include "search/history.h"
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
    CheckOnPath(Side side, bool inCheck) : side_(side), inCheck_(inCheck) {
        if (inCheck_) extension_ = checkCount[side_]++ > 0 ? 1 : 0;
    }
    ~CheckOnPath() {
        if (inCheck_) --checkCount[side_];
    }
    CheckOnPath(const CheckOnPath&) = delete;
    CheckOnPath& operator=(const CheckOnPath&) = delete;
    // One more ply for the second check of the same side on the path.
    int extension() const { return extension_; }

private:
    Side side_;
    bool inCheck_;
    int extension_ = 0;
};

// The null-move search; its result is not stored.
template <Side S>
int nullMoveScore(PlyRecord& node, int reduction, int depth, int ply, int beta) {
    if (!node.moveListEnd) node.moveListEnd = listStartFor(node);  // the child's list starts here
    makeNullMove(node.undo);
    ++currentPly;
    currentPly->moveListEnd = nullptr;
    const int score = depth > reduction + 1 ? -searchFor<S ^ 1>(depth - reduction - 1, ply + 1, -beta, -beta + 1, false)
                                            : -quiesceFor<S ^ 1>(0, ply + 1, -beta, -beta + 1);
    --currentPly;
    unmakeNullMove(node.undo);
    node.moveListEnd = nullptr;
    return score;
}

// A child searched with a null window first once alpha has been raised, and again
// with the full window only when it lands inside it.
template <Side S>
int searchChild(int depth, int ply, int alpha, int beta, bool alphaRaised) {
    if (depth <= 0 || ply >= MAX_SEARCH_DEPTH) return -quiesceFor<S ^ 1>(0, ply + 1, -beta, -alpha);
    if (alphaRaised) {
        const int score = -searchFor<S ^ 1>(depth, ply + 1, -alpha - 1, -alpha, true);
        if (score <= alpha || score >= beta) return score;
    }
    return -searchFor<S ^ 1>(depth, ply + 1, -beta, -alpha, true);
}

// Score of one move, made and taken back; the mover is S.
template <Side S>
int scoreMove(PlyRecord& node, Move move, int childDepth, int ply, int alpha, int beta, bool alphaRaised) {
    makeMoveBy(S, move, node.undo);
    ++currentPly;
    int score;
    if (leavesKingAttacked(move, S, node.check)) {
        score = NO_MOVE_SCORE;
    } else if (checkDraw(1)) {
        score = 0;
    } else {
        currentPly->moveListEnd = nullptr;
        score = searchChild<S>(childDepth, ply, alpha, beta, alphaRaised);
    }
    --currentPly;
    unmakeMoveBy(S, move, node.undo);
    return score;
}

}  // namespace

void recordCutoff(PlyRecord& node, Side side, Move move, int depth) {
    if (killerKind(move) && move != node.killer1) {
        node.killer2 = node.killer1;
        node.killer1 = move;
    }
    historyTable[side][move & 0xFFF] += static_cast<std::uint32_t>(depth * depth);
}

template <Side S>
int searchFor(int depth, int ply, int alpha, int beta, bool nullAllowed) {
    ++searchNodes;
    PlyRecord& node = *currentPly;

    // 1. Table probe: exact hits and bound cut-offs return; a bound may narrow the window.
    int ttResult;
    if (probeAndApply(depth, alpha, beta, node, {mayNarrowAt(depth), false}, ttResult)) return ttResult;

    // 2. Set up.
    int best = NO_MOVE_SCORE;
    Bound bound = BOUND_UPPER;
    Move bestMove = 0;
    computeCheckInfo(node.check);
    const bool inCheck = node.check.checkers != 0;

    // 3. Null move: if passing still fails high, so will a real move.
    if (nullAllowed && !inCheck) {
        const int reduction = nullMoveReduction(position.pieceMaterial[S], depth);
        if (reduction > 0) {
            const int score = nullMoveScore<S>(node, reduction, depth, ply, beta);
            if (stopRequested()) return NO_MOVE_SCORE;
            if (score >= beta) return score;
        }
    }

    // 4. Internal deepening: a shallower search finds a move to try first.
    if (node.ttDepth < depth - IID_REDUCTION) {
        searchFor<S>(depth - IID_REDUCTION, ply, alpha, beta, nullAllowed);
        if (const HashEntry* entry = probeTable()) node.hashMove = entryMove(*entry);
    }

    // 5. Check extension: the second check of the same side on the path.
    const CheckOnPath checks(S, inCheck);
    const int childDepth = depth + checks.extension() - 1;

    // 6. Generation, unless internal deepening left a list here.
    MoveEntry* const begin = listStartFor(node);
    if (!node.moveListEnd) {
        node.moveListEnd = inCheck ? generateEvasions<S>(begin, node.check) : generateAll<S>(begin);
        saveUndoInfo(node.undo);
    }
    MoveEntry* const end = node.moveListEnd;

    // 7. Ordering keys.
    setSearchKeys(begin, end, node);

    // 8. Move loop.
    bool historyPhase = false;
    for (MoveEntry* cursor = begin; cursor < end; ++cursor) {
        node.moveCursor = cursor;
        pickNextMove(S, cursor, end, historyPhase);
        const Move move = cursor->move;
        const int score = scoreMove<S>(node, move, childDepth, ply, alpha, beta, bound == BOUND_EXACT);
        if (stopRequested()) return best;
        cursor->score = static_cast<std::int16_t>(score);
        if (score <= best) continue;
        if (score > alpha) {
            if (score >= beta) {
                recordCutoff(node, S, move, depth);
                storeTable(depth, BOUND_LOWER, score, move);
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
            storeTable(depth, BOUND_EXACT, mated, VERDICT_MATED);
            return mated;
        }
        storeTable(depth, BOUND_EXACT, 0, VERDICT_STALEMATE);
        return 0;
    }
    storeTable(depth, bound, best, bestMove);
    return best;
}

template int searchFor<WHITE>(int, int, int, int, bool);
template int searchFor<BLACK>(int, int, int, int, bool);

int search(int depth, int ply, int alpha, int beta, bool nullAllowed) {
    return position.sideToMove == WHITE ? searchFor<WHITE>(depth, ply, alpha, beta, nullAllowed)
                                        : searchFor<BLACK>(depth, ply, alpha, beta, nullAllowed);
}
