// iterativeDeepening: the driver of the root searches.
#include "base/log.h"
#include "board/fen.h"
#include "movegen/check.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/draw.h"
#include "search/report.h"
#include "search/root.h"
#include "search/rootchoice.h"
#include "search/searchstate.h"
#include "search/tt.h"

namespace {

struct Window {
    int alpha = -WINDOW_LIMIT;
    int beta = WINDOW_LIMIT;
};

constexpr const char* WARNING_LINE =
    "**************************************************** WARNING "
    "*****************************************************************";

void setBest(Move move, int score) { rootBestEntry() = {static_cast<std::int16_t>(score), move}; }

// Seeds the window, the first depth and the move from the root's table entry.
void seedFromTable(Window& window) {
    const HashEntry* entry = probeTable();
    if (!entry) return;
    const int score = entryScore(*entry);
    // A book entry gives a move, not a searched score or depth.
    if (entryDepth(*entry) >= FIRST_ITERATION_DEPTH && !isBookEntry(*entry)) {
        switch (entryBound(*entry)) {
            case BOUND_EXACT:
                window = {score - ASPIRATION_MARGIN, score + ASPIRATION_MARGIN};
                iterationDepth = entryDepth(*entry);
                // As good as a finished iteration, should the first one be stopped.
                finishRootIteration(entryMove(*entry), score);
                break;
            case BOUND_LOWER:
                if (score > -WINDOW_LIMIT) window.alpha = score;
                break;
            default:
                if (score < WINDOW_LIMIT) window.beta = score;
                break;
        }
    }
    setBest(entryMove(*entry), score);
    // A stored move that would repeat a position is not trusted: search afresh.
    if (repetitionsAfter(bestMove()) > 0) iterationDepth = FIRST_ITERATION_DEPTH;
    if (window.alpha > MATE_THRESHOLD) {
        window.beta = WINDOW_LIMIT;
        iterationDepth = FIRST_ITERATION_DEPTH;
    }
}

void logFen() {
    char fen[FEN_BUFFER_SIZE];
    writeFen(fen);
    logLine("-FEN:\t%s", fen);
}

// One iteration: the aspiration window, and the re-searches when the score falls outside.
int searchIteration(const Window& window) {
    int score = searchRoot(window.alpha, window.beta);
    if (score <= window.alpha) {
        // Until a re-search proves a move, the last choice stands, at most this good.
        if (!stopRequested() && playableRootChoice().known)
            reportRootLine(ReportKind::FAIL_LOW, playableRootChoice().move, score);
        aspirationState.store(-1, std::memory_order_relaxed);
        const int failed = score;
        score = searchRoot(-WINDOW_LIMIT, failed + 1);
        if (score <= -WINDOW_LIMIT || score >= failed + 1) score = searchRoot(-WINDOW_LIMIT, RESEARCH_UPPER);
        aspirationState.store(0, std::memory_order_relaxed);
    } else if (score >= window.beta) {
        aspirationState.store(1, std::memory_order_relaxed);
        const int failed = score;
        score = searchRoot(failed - 1, RESEARCH_UPPER);
        if (score <= failed - 1 || score >= RESEARCH_UPPER) score = searchRoot(-WINDOW_LIMIT, RESEARCH_UPPER);
        aspirationState.store(0, std::memory_order_relaxed);
    }
    return score;
}

// The finished iteration's choice is the head of the root list; its line starts
// with it whatever older entry the root's table slot still holds.
void traceIteration(int score) {
    if (searchRequest.load(std::memory_order_relaxed) == REQUEST_PONDER) logLine("-PONDER:");
    pvToTextFrom(pvBuffer, bestMove(), iterationDepth);
    logLine("-E: %u:\t%d\t%s", static_cast<unsigned>(iterationDepth), score, pvBuffer);
}

bool mateWithinDepth(int score) {
    return score <= iterationDepth - MATE_SCORE || score >= MATE_SCORE - iterationDepth;
}

// Without any finished iteration (a deep first one from a table bound, stopped) the
// root's table entry is the best guess.
void takeMoveFromTable() {
    const HashEntry* entry = probeTable();
    if (!entry) {
        logLine("%s", WARNING_LINE);
        return;
    }
    if (entryMove(*entry) != bestMove()) logLine("-E: DIFFERENT MOVE");
    setBest(entryMove(*entry), entryScore(*entry));
    logLine("-***HT: %d", static_cast<int>(bestScore()));
}

// A move the unfinished iteration chose, and why.
void logChoice(const RootChoice& choice) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, choice.move);
    logLine("-E: PLAYS %s (%s at depth %d)", text, choice.kind == ReportKind::FAIL_HIGH ? "fail high" : "new best",
            iterationDepth);
}

// The move played: the last finished iteration's choice or what the unfinished one
// proved at least as good, never the best bound of a pass that failed low nor an
// older root entry that this search's results could not replace (the log notes
// where the table's move differs).
void settleMove() {
    const RootChoice& choice = playableRootChoice();
    if (!choice.known) return takeMoveFromTable();
    const HashEntry* entry = probeTable();
    if (entry && entryMove(*entry) != choice.move) logLine("-E: DIFFERENT MOVE");
    if (choice.kind != ReportKind::ITERATION) logChoice(choice);
    setBest(choice.move, choice.score);
    if (entry)
        logLine("-***HT: %d", static_cast<int>(bestScore()));
    else
        logLine("%s", WARNING_LINE);
}

// A stopped search whose table entry was lost or overwritten by a colliding key
// could leave an untried or illegal list head: answer with the first legal move of
// the list instead, whenever the root has one.
void ensureLegalBestMove() {
    if (isLegalMove(bestMove())) return;
    const PlyRecord& root = plyRecords[0];
    if (root.moveListEnd) {
        for (MoveEntry* e = moveListArray; e < root.moveListEnd; ++e)
            if (isLegalMove(e->move)) return std::swap(*e, moveListArray[0]);
        return;
    }
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    if (generateLegalMoves(legal) > 0) setBest(legal[0].move, 0);
}

}  // namespace

Move iterativeDeepening() {
    searchNodes = 0;
    PlyRecord& root = plyRecords[0];

    // 1. A game drawn by rule is answered with its verdict, without searching, unless
    // a move is wanted all the same.
    if (verdictForDrawnRoot.load(std::memory_order_relaxed)) {
        if (const Move verdict = checkDraw(2)) {
            setBest(verdict, 0);
            return verdict;
        }
    }

    // 2. Fresh start: the root moves are generated again.
    checkCount[BLACK] = checkCount[WHITE] = 0;
    setBest(0, 0);
    root.moveListEnd = nullptr;
    resetRootChoice();
    iterationDepth = FIRST_ITERATION_DEPTH;
    Window window;

    // 3. The previous search's result seeds window, depth and move.
    seedFromTable(window);

    // 4. Trace the position.
    logFen();

    // 5. Check information of the root.
    computeCheckInfo(root.check);

    // 6. Deepen until the depth limit, a mate within the depth, a stalemate or a stop.
    while (iterationDepth <= static_cast<int>(maxDepth.load(std::memory_order_relaxed))) {
        const int score = searchIteration(window);
        if (stopRequested()) break;  // an interrupted iteration is not traced
        finishRootIteration(bestMove(), score);
        if (bestMove() == VERDICT_STALEMATE) break;
        traceIteration(score);
        reportRootLine(ReportKind::ITERATION, bestMove(), score);
        if (mateWithinDepth(score)) {
            logLine("--- MATE: %d", score);
            break;
        }
        ++iterationDepth;
        window = {score - ASPIRATION_MARGIN, score + ASPIRATION_MARGIN};
    }

    // 7. The move and its score.
    settleMove();
    ensureLegalBestMove();

    // 8. The move, or the verdict, for the caller.
    return bestMove();
}
