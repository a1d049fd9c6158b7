#include "search/root.h"

#include <algorithm>
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

// The best entry goes to the head of the line's part of the list: the first line's
// to the head of the list, where the front end reads it.
void promote(SearchWorker& w, MoveEntry* bestEntry, int line) { std::swap(*bestEntry, w.moveList[line]); }

// The root list, made once per search: generated, cut down to the moves the search
// may choose from, and its lines counted. Made for a later line, it keeps the first
// line's move (the one at the head before) at its head.
template <Side S>
void makeRootList(SearchWorker& w, PlyRecord& root, bool keepHead) {
    Position& pos = w.pos;
    MoveEntry* const list = w.moveList;
    const Move head = list[0].move;
    MoveEntry* end = root.check.checkers ? generateEvasions<S>(pos, list, root.check) : generateAll<S>(pos, list);
    saveUndoInfo(pos, root.undo);
    if (w.scope.restricts()) end = keepScopeMoves(w.scope, list, end);
    root.moveListEnd = end;
    w.lineCount = linesAsked(w) > 1 ? std::min(linesAsked(w), countLegalEntries(pos, list, end)) : 1;
    if (!keepHead) return;
    MoveEntry* const found = std::find_if(list, end, [&](const MoveEntry& e) { return e.move == head; });
    if (found != end) std::swap(*found, list[0]);
}

template <Side S>
int searchRootFor(SearchWorker& w, int alpha, int beta, int line) {
    countNode(w);
    Position& pos = w.pos;
    PlyRecord& root = w.plies[0];
    MoveEntry* const list = w.moveList;

    // 1. Table probe; a mate score is searched again rather than returned. The root's
    // entry is the first line's of a search over every move: another line, or a
    // search of some moves only, neither reads nor writes it.
    const bool ownsEntry = line == 0 && !w.scope.restricts();
    int ttResult;
    if (!ownsEntry)
        root.hashMove = 0;
    else if (probeAndApply(w.tt, pos, w.iterationDepth, alpha, beta, root, {mayNarrowAt(w, w.iterationDepth), true},
                           ttResult))
        return ttResult;

    // 2. Set up.
    int best = NO_MOVE_SCORE;
    Bound bound = BOUND_UPPER;
    MoveEntry* bestEntry = nullptr;
    const bool inCheck = root.check.checkers != 0;

    // 3. Generation in the first iteration only; later ones reuse the list and its scores.
    if (!root.moveListEnd) makeRootList<S>(w, root, line > 0);
    MoveEntry* const begin = list + line;
    MoveEntry* const end = root.moveListEnd;

    // 4. Ordering keys.
    setSearchKeys(begin, end, root);

    // 5. Move loop. Only the first line chooses the move played: the last choice is
    // beaten only by a move that fails high above its score or outscores it in this
    // pass, once it has its own result here.
    const bool choosing = line == 0;
    const RootChoice& last = finishedRootChoice(w);
    bool lastSearched = !last.known;
    bool historyPhase = false;
    for (MoveEntry* cursor = begin; cursor < end; ++cursor) {
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
                    if (ownsEntry) w.tt.store(pos, w.iterationDepth, BOUND_LOWER, score, move);
                    promote(w, bestEntry, line);
                    if (choosing && (lastSearched || score > last.score))
                        offerRootMove(w, move, score, ReportKind::FAIL_HIGH);
                    return score;
                }
                alpha = score;
                bound = BOUND_EXACT;
            }
        }
        if (choosing && lastSearched && bound == BOUND_EXACT)
            offerRootMove(w, bestEntry->move, best, ReportKind::NEW_BEST);
    }

    // 6. End: the best move to the head of the line, or the verdict when the root has
    // no legal move (which includes a side whose generator found nothing at all).
    if (bestEntry) {
        if (ownsEntry) w.tt.store(pos, w.iterationDepth, bound, best, bestEntry->move);
        promote(w, bestEntry, line);
        return best;
    }
    if (line > 0) return best;  // no legal move is left for this line
    const int score = inCheck ? -MATE_SCORE : 0;
    const Move verdict = inCheck ? VERDICT_MATED : VERDICT_STALEMATE;
    list[0] = {static_cast<std::int16_t>(score), verdict};
    root.moveListEnd = list;  // the verdict is no move: later iterations find none again
    w.tt.store(pos, w.iterationDepth, BOUND_EXACT, score, verdict);
    return score;
}

}  // namespace

int searchRoot(SearchWorker& w, int alpha, int beta, int line) {
    return w.pos.sideToMove == WHITE ? searchRootFor<WHITE>(w, alpha, beta, line)
                                     : searchRootFor<BLACK>(w, alpha, beta, line);
}

int rootLineCount(SearchWorker& w) {
    PlyRecord& root = w.plies[0];
    if (!root.moveListEnd) {
        if (w.pos.sideToMove == WHITE)
            makeRootList<WHITE>(w, root, true);
        else
            makeRootList<BLACK>(w, root, true);
    }
    return w.lineCount;
}
