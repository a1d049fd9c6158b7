// iterativeDeepening: the driver of the root searches.
#include <algorithm>
#include <array>
#include <utility>

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
#include "search/worker.h"

namespace {

struct Window {
    int alpha = -WINDOW_LIMIT;
    int beta = WINDOW_LIMIT;
};

// The next iteration's window of a line that scored score.
Window around(int score) { return {score - ASPIRATION_MARGIN, score + ASPIRATION_MARGIN}; }

// Each line's window: the first line's, then those of the lines after it.
using LineWindows = std::array<Window, MAX_PV_LINES>;

// Helper i skips the depths d with ((d + phase) / size) odd: with size 1 every other
// depth, with a larger size runs of that many; the patterns repeat every 20 helpers.
struct HelperSkip {
    int size, phase;
};
constexpr std::array<HelperSkip, 20> HELPER_SKIPS = {{
    {1, 0}, {1, 1}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {3, 0}, {3, 1}, {3, 2}, {3, 3},
    {3, 4}, {3, 5}, {4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {4, 5}, {4, 6}, {4, 7},
}};

constexpr const char* WARNING_LINE =
    "**************************************************** WARNING "
    "*****************************************************************";

void setBest(SearchWorker& w, Move move, int score) { w.moveList[0] = {static_cast<std::int16_t>(score), move}; }

// Only the main worker writes the trace: the helpers' lines would interleave with it.
bool traces(const SearchWorker& w) { return w.id == 0; }

// Seeds the window, the first depth and the move from the root's table entry.
void seedFromTable(SearchWorker& w, Window& window) {
    const std::optional<HashEntry> entry = w.tt.probe(w.pos);
    if (!entry) return;
    const int score = entryScore(*entry);
    // A book entry gives a move, not a searched score or depth.
    if (entryDepth(*entry) >= FIRST_ITERATION_DEPTH && !isBookEntry(*entry)) {
        switch (entryBound(*entry)) {
            case BOUND_EXACT:
                window = {score - ASPIRATION_MARGIN, score + ASPIRATION_MARGIN};
                w.iterationDepth = entryDepth(*entry);
                // As good as a finished iteration, should the first one be stopped.
                finishRootIteration(w, entryMove(*entry), score);
                break;
            case BOUND_LOWER:
                if (score > -WINDOW_LIMIT) window.alpha = score;
                break;
            default:
                if (score < WINDOW_LIMIT) window.beta = score;
                break;
        }
    }
    setBest(w, entryMove(*entry), score);
    // A stored move that would repeat a position is not trusted: search afresh.
    if (repetitionsAfter(w.pos, w.bestMove()) > 0) w.iterationDepth = FIRST_ITERATION_DEPTH;
    if (window.alpha > MATE_THRESHOLD) {
        window.beta = WINDOW_LIMIT;
        w.iterationDepth = FIRST_ITERATION_DEPTH;
    }
}

void logFen(const Position& pos) {
    char fen[FEN_BUFFER_SIZE];
    writeFen(pos, fen);
    logLine("-FEN:\t%s", fen);
}

// One iteration of the first line: the aspiration window, and the re-searches when
// the score falls outside.
int searchIteration(SearchWorker& w, const Window& window) {
    int score = searchRoot(w, window.alpha, window.beta);
    if (score <= window.alpha) {
        // Until a re-search proves a move, the last choice stands, at most this good.
        if (!stopRequested(w) && playableRootChoice(w).known)
            reportRootLine(w, ReportKind::FAIL_LOW, playableRootChoice(w).move, score);
        w.aspirationState.store(-1, std::memory_order_relaxed);
        const int failed = score;
        score = searchRoot(w, -WINDOW_LIMIT, failed + 1);
        if (score <= -WINDOW_LIMIT || score >= failed + 1) score = searchRoot(w, -WINDOW_LIMIT, RESEARCH_UPPER);
        w.aspirationState.store(0, std::memory_order_relaxed);
    } else if (score >= window.beta) {
        w.aspirationState.store(1, std::memory_order_relaxed);
        const int failed = score;
        score = searchRoot(w, failed - 1, RESEARCH_UPPER);
        if (score <= failed - 1 || score >= RESEARCH_UPPER) score = searchRoot(w, -WINDOW_LIMIT, RESEARCH_UPPER);
        w.aspirationState.store(0, std::memory_order_relaxed);
    }
    return score;
}

// A line after the first: its window, and one re-search with the whole window when
// the score falls outside. It shows no bounds and leaves the aspiration state alone
// (the first line's, which decides about extra time and table bounds).
int searchLine(SearchWorker& w, int line, const Window& window) {
    const int score = searchRoot(w, window.alpha, window.beta, line);
    if (stopRequested(w) || (score > window.alpha && score < window.beta)) return score;
    return searchRoot(w, -WINDOW_LIMIT, RESEARCH_UPPER, line);
}

// A line that scored above the one before it moves up among the lines after the first
// (the first stays where it is: its move is the one played). Returns where it stands now.
int moveLineUp(SearchWorker& w, int line) {
    while (line > 1 && w.moveList[line].score > w.moveList[line - 1].score) {
        std::swap(w.moveList[line], w.moveList[line - 1]);
        --line;
    }
    return line;
}

// The lines after the first, once the first has finished its iteration: each is the
// best of the root moves the lines before it left, found in a window around the
// score its place had in the last iteration, and shown as soon as it is found (with
// the lines it passed, which moved down a place).
void searchFurtherLines(SearchWorker& w, LineWindows& windows) {
    const int lines = rootLineCount(w);
    for (int line = 1; line < lines; ++line) {
        searchLine(w, line, windows[line]);
        if (stopRequested(w)) return;
        for (int shown = moveLineUp(w, line); shown <= line; ++shown)
            reportRootLine(w, ReportKind::ITERATION, w.moveList[shown].move, w.moveList[shown].score, shown);
    }
    for (int line = 1; line < lines; ++line) windows[line] = around(w.moveList[line].score);
}

// The finished iteration's choice is the head of the root list; its line starts
// with it whatever older entry the root's table slot still holds.
void traceIteration(SearchWorker& w, int score) {
    if (!traces(w)) return;
    if (w.control.request.load(std::memory_order_relaxed) == REQUEST_PONDER) logLine("-PONDER:");
    pvToTextFrom(w.pos, w.tt, w.pvBuffer, w.bestMove(), w.iterationDepth);
    logLine("-E: %u:\t%d\t%s", static_cast<unsigned>(w.iterationDepth), score, w.pvBuffer);
}

bool mateWithinDepth(const SearchWorker& w, int score) {
    return score <= w.iterationDepth - MATE_SCORE || score >= MATE_SCORE - w.iterationDepth;
}

// Without any finished iteration (a deep first one from a table bound, stopped) the
// root's table entry is the best guess.
void takeMoveFromTable(SearchWorker& w) {
    const std::optional<HashEntry> entry = w.tt.probe(w.pos);
    if (!entry) {
        if (traces(w)) logLine("%s", WARNING_LINE);
        return;
    }
    if (traces(w) && entryMove(*entry) != w.bestMove()) logLine("-E: DIFFERENT MOVE");
    setBest(w, entryMove(*entry), entryScore(*entry));
    if (traces(w)) logLine("-***HT: %d", static_cast<int>(w.bestScore()));
}

// A move the unfinished iteration chose, and why.
void logChoice(const SearchWorker& w, const RootChoice& choice) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, choice.move);
    logLine("-E: PLAYS %s (%s at depth %d)", text, choice.kind == ReportKind::FAIL_HIGH ? "fail high" : "new best",
            w.iterationDepth);
}

// The move played: the last finished iteration's choice or what the unfinished one
// proved at least as good, never the best bound of a pass that failed low nor an
// older root entry that this search's results could not replace (the log notes
// where the table's move differs).
void settleMove(SearchWorker& w) {
    const RootChoice& choice = playableRootChoice(w);
    if (!choice.known) return takeMoveFromTable(w);
    setBest(w, choice.move, choice.score);
    if (!traces(w)) return;
    const std::optional<HashEntry> entry = w.tt.probe(w.pos);
    if (entry && entryMove(*entry) != choice.move) logLine("-E: DIFFERENT MOVE");
    if (choice.kind != ReportKind::ITERATION) logChoice(w, choice);
    if (entry)
        logLine("-***HT: %d", static_cast<int>(w.bestScore()));
    else
        logLine("%s", WARNING_LINE);
}

// A stopped search whose table entry was lost or overwritten by a colliding key
// could leave an untried or illegal list head: answer with the first legal move of
// the list instead, whenever the root has one.
void ensureLegalBestMove(SearchWorker& w) {
    if (isLegalMove(w.pos, w.bestMove())) return;
    const PlyRecord& root = w.plies[0];
    if (root.moveListEnd) {
        for (MoveEntry* e = w.moveList; e < root.moveListEnd; ++e)
            if (isLegalMove(w.pos, e->move)) return std::swap(*e, w.moveList[0]);
        return;
    }
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    if (generateLegalMoves(w.pos, legal) > 0) setBest(w, legal[0].move, 0);
}

std::size_t teamSize(const SearchWorker& w) { return w.control.team.empty() ? 1 : w.control.team.size(); }

// The nodes a team's main worker searches before it adds up the team's count again:
// its share of what is left of the limit, and never so many that the others (which
// may get more of the processors than it does) run far past the limit meanwhile.
std::uint64_t nextNodeStep(const SearchWorker& w, std::uint64_t left) {
    return std::clamp<std::uint64_t>(left / teamSize(w), 1, TEAM_NODE_CHECK_INTERVAL);
}

// A worker alone stops at the node limit; a team's main worker looks at the team's
// count now and then; the helpers stop when it stops them.
std::uint64_t firstNodeBudget(const SearchWorker& w) {
    const std::uint64_t limit = w.control.nodeLimit.load(std::memory_order_relaxed);
    if (w.id != 0 || limit == NO_NODE_LIMIT) return NO_NODE_LIMIT;
    return teamSize(w) == 1 ? limit : nextNodeStep(w, limit);
}

// The main worker deepens one ply at a time. A helper skips some depths, each after a
// pattern of its own, so that the helpers spread over the depths around the main
// search's instead of all repeating it; what they find reaches it through the table.
int nextIterationDepth(const SearchWorker& w) {
    int depth = w.iterationDepth + 1;
    if (w.id == 0) return depth;
    const HelperSkip& skip = HELPER_SKIPS[(w.id - 1) % HELPER_SKIPS.size()];
    while (((depth + skip.phase) / skip.size) % 2 == 1) ++depth;
    return depth;
}

}  // namespace

bool nodeLimitReached(SearchWorker& w) {
    const std::size_t workers = teamSize(w);
    if (workers == 1) return true;
    const std::uint64_t limit = w.control.nodeLimit.load(std::memory_order_relaxed);
    const std::uint64_t total = searchedNodes(w);
    if (total >= limit) {
        w.control.stopFlag.store(1, std::memory_order_relaxed);
        return true;
    }
    w.nodeBudget = nodesOf(w) + nextNodeStep(w, limit - total);
    return false;
}

Move iterativeDeepening(SearchWorker& w) {
    w.nodes.store(0, std::memory_order_relaxed);
    w.nodeBudget = firstNodeBudget(w);
    w.currentPly = w.plies;
    PlyRecord& root = w.plies[0];
    const SearchControl& control = w.control;

    // 1. A game drawn by rule is answered with its verdict, without searching, unless
    // a move is wanted all the same.
    if (control.verdictForDrawnRoot.load(std::memory_order_relaxed)) {
        if (const Move verdict = checkDraw(w.pos, 2)) {
            setBest(w, verdict, 0);
            return verdict;
        }
    }

    // 2. Fresh start: the root moves are generated again.
    w.checkCount[BLACK] = w.checkCount[WHITE] = 0;
    setBest(w, 0, 0);
    root.moveListEnd = nullptr;
    w.lineCount = 1;
    resetRootChoice(w);
    w.iterationDepth = FIRST_ITERATION_DEPTH;
    LineWindows windows{};
    Window& window = windows[0];

    // 3. The previous search's result seeds window, depth and move, unless the search
    // may choose among some moves only (the root's entry may hold another).
    if (!w.scope.restricts()) seedFromTable(w, window);

    // 4. Trace the position.
    if (traces(w)) logFen(w.pos);

    // 5. Check information of the root.
    computeCheckInfo(w.pos, root.check);

    // 6. Deepen until the depth limit, a mate within the depth, a stalemate or a
    // stop; the first line chooses the move, the further lines (when asked for)
    // follow it in each iteration.
    while (w.iterationDepth <= static_cast<int>(control.maxDepth.load(std::memory_order_relaxed))) {
        const int score = searchIteration(w, window);
        if (stopRequested(w)) break;  // an interrupted iteration is not traced
        finishRootIteration(w, w.bestMove(), score);
        if (w.bestMove() == VERDICT_STALEMATE) break;
        traceIteration(w, score);
        reportRootLine(w, ReportKind::ITERATION, w.bestMove(), score);
        if (linesAsked(w) > 1) {
            searchFurtherLines(w, windows);
            if (stopRequested(w)) break;
        }
        if (mateWithinDepth(w, score)) {
            if (traces(w)) logLine("--- MATE: %d", score);
            break;
        }
        w.iterationDepth = nextIterationDepth(w);
        window = around(score);
    }

    // 7. The move and its score.
    settleMove(w);
    ensureLegalBestMove(w);

    // 8. The move, or the verdict, for the caller.
    return w.bestMove();
}
