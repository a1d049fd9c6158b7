#include "front/think.h"

#include <cstdio>
#include <optional>

#include "base/clock.h"
#include "base/log.h"
#include "front/constants.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "game/gamemove.h"
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

bool isInCheck() {
    CheckInfo check;
    computeCheckInfo(check);
    return check.checkers != 0;
}

// How long to let the search run: the budget, less what a ponder search already spent.
std::uint64_t waitTimeMs(bool wasPondering) {
    if (!wasPondering) return moveTimeMs;
    const std::int64_t left = std::int64_t{moveTimeMs} + searchStartMs - std::int64_t{clockMs()};
    return left > 0 ? static_cast<std::uint64_t>(left) : 0;
}

// The move to play: the search's, or, should it ever leave something that is not a
// legal move here, the first legal move, so that the engine never sends an illegal one.
Move playableMove(Move chosen) {
    if (isLegalMove(chosen)) return chosen;
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    if (generateLegalMoves(legal) == 0) return 0;
    logLine("-M: search move not legal, playing the first legal move");
    return legal[0].move;
}

// A root that has just failed low may finish its iteration, on budgets above six seconds.
std::optional<std::uint32_t> failLowExtraTime() {
    if (moveTimeMs <= EXTRA_TIME_MIN_BUDGET_MS) return std::nullopt;
    return extraTimeAfterFailLow();
}

// What the engine's move itself brings about, from the position after it.
const char* resultAfterMove(int score) {
    const bool blackToMove = position.sideToMove == BLACK;
    if (score == MATE_IN_ONE_SCORE) return blackToMove ? "1-0 {Zorvak mates 1}\n" : "0-1 {Zorvak mates 1}\n";
    if (score > MATE_THRESHOLD) {
        const HashEntry* entry = probeTable();
        if (entry && entryMove(*entry) == VERDICT_MATED)
            return blackToMove ? "1-0 {Zorvak mates 1#}\n" : "0-1 {Zorvak mates 1#}\n";
        return nullptr;
    }
    switch (checkDraw(2)) {
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
    std::printf("move %s\n", text);
    logLine("move %s\tscore: %d", text, score);
    return resultAfterMove(score);
}

}  // namespace

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

void thinkAndMove() {
    // Start a search unless the ponder search goes on as this move's search.
    const bool wasPondering = engineState == ENGINE_PONDERING;
    engineState = ENGINE_THINKING;
    if (wasPondering)
        turnPonderIntoThink();
    else
        StartEngine(REQUEST_THINK, MAX_SEARCH_DEPTH + 1);
    // Let it think for the budget, then stop it.
    logLine("M-WAIT %u", clockMs());
    stoppedEvent.waitFor(waitTimeMs(wasPondering));
    engineState = ENGINE_IDLE;
    StopEngineConditional(failLowExtraTime());
    // A verdict ends the game without a move; else play and announce.
    const Move chosen = bestMove();
    const char* result = verdictResultLine(chosen, position.sideToMove, isInCheck());
    if (!result) {
        const Move move = playableMove(chosen);
        result = move ? playEngineMove(move, bestScore())
                      : verdictResultLine(VERDICT_NO_MOVES, position.sideToMove, isInCheck());
    }
    // Wait for the opponent, pondering unless the game is over.
    engineState = ENGINE_WAITING;
    if (result) {
        std::printf("%s", result);
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
    const HashEntry* entry = probeTable();
    const Move reply = entry ? entryMove(*entry) : 0;
    if (!isLegalMove(reply)) {
        logLine("- NO ponder move");
        return;
    }
    engineState = ENGINE_PONDERING;
    makePonderMove(reply);
    StartEngine(REQUEST_PONDER, MAX_SEARCH_DEPTH + 1);
    char text[MOVE_TEXT_SIZE];
    moveToText(text, reply);
    logLine("-ponder move: %s", text);
}
