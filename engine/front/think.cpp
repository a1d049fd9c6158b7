#include "front/think.h"

#include <atomic>
#include <optional>

#include "game/gameposition.h"
#include "base/clock.h"
#include "base/log.h"
#include "base/output.h"
#include "front/commands.h"
#include "front/constants.h"
#include "front/exclusions.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "game/gamemove.h"
#include "game/rootsnapshot.h"
#include "movegen/check.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "search/draw.h"
#include "search/searchconst.h"
#include "search/searchthread.h"
#include "search/tt.h"

namespace {

// Score of a move that mates at once.
constexpr int MATE_IN_ONE_SCORE = MATE_SCORE - 1;

std::atomic<Inbox*> watchedInbox{nullptr};

void ringWatchedInbox() {
    if (Inbox* inbox = watchedInbox.load(std::memory_order_acquire)) inbox->ring();
}

bool isInCheck() {
    CheckInfo check;
    computeCheckInfo(gamePosition, check);
    return check.checkers != 0;
}

// How long to let the search run: the budget, less what a ponder search already spent.
std::uint64_t waitTimeMs(bool wasPondering) {
    if (!wasPondering) return moveTimeMs;
    const std::int64_t left = std::int64_t{moveTimeMs} + engineControl().startMs - std::int64_t{clockMs()};
    return left > 0 ? static_cast<std::uint64_t>(left) : 0;
}

// How the thinking ended: with a move to play, or stopped by a command (held in
// the input) or a quit request, without one.
enum class ThinkEnd { PLAY, STOPPED };

// Waits for the search's end or its budget while reading the interface: words that
// leave the search alone are handled at once, a stopping word ends the wait without
// a move, `?` asks for the move now, and any other word ends the reading until the
// move is out. A root that has just failed low when the budget is spent may go on
// for the extra time, once.
ThinkEnd thinkForBudget(CommandInput& in, std::uint64_t budgetMs) {
    auto deadline = Inbox::Clock::now() + std::chrono::milliseconds(budgetMs);
    bool reading = true;
    bool extraGiven = false;
    for (;;) {
        Inbox::Wake wake = Inbox::Wake::INPUT;
        if (!(reading && in.holding())) wake = waitForSearch(in.args(), deadline, reading);
        switch (wake) {
            case Inbox::Wake::QUIT: return ThinkEnd::STOPPED;
            case Inbox::Wake::DONE: return ThinkEnd::PLAY;
            case Inbox::Wake::DEADLINE: {
                const std::uint32_t extra = extraGiven || rootAspiration() >= 0 ? 0 : extraTimeAfterFailLow();
                if (extra == 0) return ThinkEnd::PLAY;
                logLine("-M: FL - Extra time");
                deadline += std::chrono::milliseconds(extra);
                extraGiven = true;
                break;
            }
            case Inbox::Wake::INPUT:
                switch (handleWordWhileThinking(in)) {
                    case WordWhileThinking::HANDLED: break;
                    case WordWhileThinking::MOVE_NOW: return ThinkEnd::PLAY;
                    case WordWhileThinking::STOPS: return ThinkEnd::STOPPED;
                    case WordWhileThinking::WAITS: reading = false; break;
                }
                break;
        }
    }
}

// The search's answer for the game position, whatever the protocol: a legal move
// with its score, or, for a game already over, its result line and no move.
struct EngineAnswer {
    Move move;
    int score;
    const char* verdictLine;
};

EngineAnswer engineAnswer() {
    const Move chosen = bestMove();
    if (const char* line = verdictResultLine(chosen, gamePosition.sideToMove, isInCheck())) return {0, 0, line};
    const Move move = playableBestMove();
    if (!move) return {0, 0, verdictResultLine(VERDICT_NO_MOVES, gamePosition.sideToMove, isInCheck())};
    return {move, bestScore(), nullptr};
}

// What the engine's move itself brings about, from the position after it.
const char* resultAfterMove(int score) {
    const bool blackToMove = gamePosition.sideToMove == BLACK;
    if (score == MATE_IN_ONE_SCORE) return blackToMove ? "1-0 {Zorvak mates 1}\n" : "0-1 {Zorvak mates 1}\n";
    if (score > MATE_THRESHOLD) {
        const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
        if (entry && entryMove(*entry) == VERDICT_MATED)
            return blackToMove ? "1-0 {Zorvak mates 1#}\n" : "0-1 {Zorvak mates 1#}\n";
        return nullptr;
    }
    switch (checkDraw(gamePosition, 2)) {
        case VERDICT_REPETITION: return "1/2-1/2 {Draw by 3 fold repetition (22)}\n";
        case VERDICT_FIFTY_MOVES: return "1/2-1/2 {Draw by 50 moves rule (33)}\n";
        case VERDICT_NO_MATERIAL: return "1/2-1/2 {Draw by insufficient material to mate (44)}\n";
        default: return nullptr;
    }
}

// Plays the move on the game position and sends it; the result line it brings, if any.
const char* playEngineMove(Move move, int score) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    applyGameMove(move);
    sendLine("move %s\n", text);
    logLine("move %s\tscore: %d", text, score);
    return resultAfterMove(score);
}

}  // namespace

Move playableBestMove() {
    const Move chosen = bestMove();
    if (isLegalMove(gamePosition, chosen)) return chosen;
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    if (generateLegalMoves(gamePosition, legal) == 0) return 0;
    // Should the search ever leave something that is no legal move here, the engine
    // still never sends an illegal one.
    logLine("-M: search move not legal, playing the first legal move");
    return legal[0].move;
}

const char* verdictResultLine(Move verdict, Side toMove, bool inCheck) {
    switch (verdict) {
        case VERDICT_MATED: return toMove == WHITE ? "0-1 {Zorvak mated 0}\n" : "1-0 {Zorvak mated 0}\n";
        case VERDICT_STALEMATE: return "1/2-1/2 {Draw by stalemate (1)}\n";
        case VERDICT_REPETITION: return "1/2-1/2 {Draw by 3 fold repetition (2)}\n";
        case VERDICT_FIFTY_MOVES: return "1/2-1/2 {Draw by 50 moves rule (3)}\n";
        case VERDICT_NO_MATERIAL: return "1/2-1/2 {Draw by insufficient material to mate (4)}\n";
        // The root had no move at all: mate or stalemate, whichever it is.
        case VERDICT_NO_MOVES: return verdictResultLine(inCheck ? VERDICT_MATED : VERDICT_STALEMATE, toMove, inCheck);
        default: return nullptr;
    }
}

void watchSearchFrom(Inbox* inbox) {
    watchedInbox.store(inbox, std::memory_order_release);
    searchIdleHook.store(inbox ? ringWatchedInbox : nullptr, std::memory_order_release);
}

Inbox::Wake waitForSearch(Inbox& inbox, Inbox::Clock::time_point deadline, bool watchInput) {
    return inbox.waitUntil(deadline, watchInput, [] { return stoppedEvent.isSet(); });
}

void thinkAndMove(CommandInput& in) {
    // Start a search unless the ponder search goes on as this move's search.
    const bool wasPondering = engineState == ENGINE_PONDERING;
    engineState = ENGINE_THINKING;
    if (wasPondering)
        turnPonderIntoThink();
    else
        StartEngine(gamePosition, REQUEST_THINK, depthLimit);
    // Let it think for the budget, reading the interface meanwhile, then stop it.
    logLine("M-WAIT %u", clockMs());
    const std::uint64_t budgetMs = waitTimeMs(wasPondering);
    logLine("-M: budget %llu ms", static_cast<unsigned long long>(budgetMs));
    const ThinkEnd end = thinkForBudget(in, budgetMs);
    if (end == ThinkEnd::STOPPED) {
        stopThinking();
        refreshRootSnapshot();  // a ponder hit's reply is a game move now
        return;
    }
    engineState = ENGINE_IDLE;
    StopEngineConditional(std::nullopt);
    refreshRootSnapshot();
    // A verdict ends the game without a move; else play and announce.
    const EngineAnswer answer = engineAnswer();
    const char* result = answer.move ? playEngineMove(answer.move, answer.score) : answer.verdictLine;
    // Wait for the opponent, pondering unless the game is over.
    engineState = ENGINE_WAITING;
    if (result) {
        sendLine("%s", result);
        logLine("- NO ponder move");
        return;
    }
    startPondering();
}

void stopThinking() {
    engineState = ENGINE_IDLE;
    StopEngine();
    // A stopped ponder search leaves the predicted reply on the board, where the
    // opponent never played it: it goes, whatever command stopped the search.
    takeBackPonderMove();
}

void startPondering() {
    if (!ponderEnabled) {
        logLine("- NO ponder move");
        return;
    }
    // A verdict code or a move the table holds for another position (a key
    // collision) must never be made.
    const std::optional<HashEntry> entry = engineTable().probe(gamePosition);
    const Move reply = entry ? entryMove(*entry) : 0;
    if (!isLegalMove(gamePosition, reply)) {
        logLine("- NO ponder move");
        return;
    }
    engineState = ENGINE_PONDERING;
    makePonderMove(reply);
    StartEngine(gamePosition, REQUEST_PONDER, depthLimit);
    char text[MOVE_TEXT_SIZE];
    moveToText(text, reply);
    logLine("-ponder move: %s", text);
}

void startAnalysis() {
    engineState = ENGINE_ANALYZING;
    const RootScope scope{analysedRootMoves(), multiPvLines};
    StartEngine(gamePosition, REQUEST_ANALYZE, NO_DEPTH_LIMIT, NO_NODE_LIMIT, scope);
    if (scope.restricts())
        logLine("-M: analysing %d line(s) of %zu root move(s)", scope.lines, scope.moves.size());
    else
        logLine("-M: analysing %d line(s)", scope.lines);
}
