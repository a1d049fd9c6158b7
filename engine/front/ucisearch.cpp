#include "front/ucisearch.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <iterator>
#include <optional>
#include <vector>

#include "game/gameposition.h"
#include "base/clock.h"
#include "base/log.h"
#include "base/output.h"
#include "book/book.h"
#include "front/constants.h"
#include "front/input.h"
#include "front/state.h"
#include "front/think.h"
#include "front/timecontrol.h"
#include "game/gamemove.h"
#include "movegen/notation.h"
#include "search/searchthread.h"

namespace {

// Waits without a deadline are made of waits this long.
constexpr auto FAR_AHEAD = std::chrono::hours(24);

// The words of a go.
struct GoWords {
    std::optional<long> time[2];  // by side: btime, wtime
    long increment[2] = {0, 0};   // binc, winc
    long movesToGo = 0;
    std::optional<long> moveTime, depth, nodes, mate;
    bool infinite = false;
    bool ponder = false;
    std::vector<Move> searchMoves;  // the legal ones of searchmoves; empty: every move
};

// The words of a go that take no moves: searchmoves's moves end at the first of them.
constexpr const char* GO_WORDS[] = {"searchmoves", "ponder", "wtime", "btime", "winc", "binc", "movestogo",
                                    "depth", "nodes", "mate", "movetime", "infinite"};

// The go that still owes its bestmove.
struct PendingGo {
    bool active = false;       // a bestmove is owed
    bool pondering = false;    // go ponder, and no ponderhit yet
    bool waitsForStop = false; // go infinite: the bestmove waits for stop
    bool searchEnded = false;  // the search ended by itself: the bestmove waits for stop or ponderhit
    bool budgeted = false;     // the go gave time (a ponder search is timed from its ponderhit on)
    bool timed = false;        // the deadline holds
    bool extraGiven = false;   // the extra time after a fail low was granted
    Move bookMove = 0;         // pondering on a book position: the book's move, no search
    std::uint32_t startMs = 0;
    Inbox::Clock::time_point deadline{};
};

PendingGo pending;

bool isWord(const char* word, const char* name) { return std::strcmp(word, name) == 0; }

bool isGoWord(const char* word) {
    return std::any_of(std::begin(GO_WORDS), std::end(GO_WORDS), [&](const char* name) { return isWord(word, name); });
}

// One of searchmoves's words: a legal move of the game is kept (once), anything else passed over.
void addSearchMove(GoWords& go, const char* word) {
    const Move move = legalGameMove(word);
    if (!move) return logLine("-M: searchmoves %s: no legal move here, ignored", word);
    if (std::find(go.searchMoves.begin(), go.searchMoves.end(), move) == go.searchMoves.end())
        go.searchMoves.push_back(move);
}

// Reads the go's words; others are passed over.
GoWords readGo(Inbox& args) {
    GoWords go;
    char word[WORD_BUFFER_SIZE];
    bool readingMoves = false;  // after searchmoves, until the next word of the go
    while (readWordOnLine(args, word) != WordRead::END) {
        if (readingMoves && !isGoWord(word)) {
            addSearchMove(go, word);
            continue;
        }
        readingMoves = isWord(word, "searchmoves");
        long value = 0;
        if (isWord(word, "infinite")) {
            go.infinite = true;
        } else if (isWord(word, "ponder")) {
            go.ponder = true;
        } else if (isWord(word, "wtime") || isWord(word, "btime")) {
            if (readIntegerOnLine(args, value)) go.time[word[0] == 'w' ? WHITE : BLACK] = value;
        } else if (isWord(word, "winc") || isWord(word, "binc")) {
            if (readIntegerOnLine(args, value)) go.increment[word[0] == 'w' ? WHITE : BLACK] = value;
        } else if (isWord(word, "movestogo")) {
            if (readIntegerOnLine(args, value)) go.movesToGo = value;
        } else if (isWord(word, "movetime")) {
            if (readIntegerOnLine(args, value)) go.moveTime = value;
        } else if (isWord(word, "depth")) {
            if (readIntegerOnLine(args, value)) go.depth = value;
        } else if (isWord(word, "nodes")) {
            if (readIntegerOnLine(args, value)) go.nodes = value;
        } else if (isWord(word, "mate")) {
            if (readIntegerOnLine(args, value)) go.mate = value;
        }
    }
    return go;
}

// The deepest iteration: depth as given, a mate in n moves within 2n - 1 plies
// and one more to see it; else none.
std::uint32_t depthOf(const GoWords& go) {
    if (go.depth) return static_cast<std::uint32_t>(std::clamp<long>(*go.depth, 1, NO_DEPTH_LIMIT));
    if (go.mate) return static_cast<std::uint32_t>(std::clamp<long>(2 * *go.mate, 1, NO_DEPTH_LIMIT));
    return NO_DEPTH_LIMIT;
}

std::uint64_t nodesOf(const GoWords& go) {
    return go.nodes ? static_cast<std::uint64_t>(std::max(*go.nodes, 1L)) : NO_NODE_LIMIT;
}

void setDeadline(std::int64_t budgetMs) {
    pending.timed = true;
    pending.deadline = Inbox::Clock::now() + std::chrono::milliseconds(std::max<std::int64_t>(budgetMs, 0));
    logLine("-M: budget %lld ms", static_cast<long long>(std::max<std::int64_t>(budgetMs, 0)));
}

// bestmove MOVE [ponder REPLY], or bestmove 0000 when the position has no move.
void sendBestMove(Move move) {
    if (!move) {
        logLine("-M: bestmove 0000: no legal move");
        sendLine("bestmove 0000\n");
        return;
    }
    char text[MOVE_TEXT_SIZE], replyText[MOVE_TEXT_SIZE];
    moveToText(text, move);
    const Move reply = predictedReplyTo(move);
    if (!reply) {
        logLine("-M: bestmove %s", text);
        sendLine("bestmove %s\n", text);
        return;
    }
    moveToText(replyText, reply);
    logLine("-M: bestmove %s ponder %s", text, replyText);
    sendLine("bestmove %s ponder %s\n", text, replyText);
}

void answerWithBookMove(Move move) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    logLine("-M: move(book): %s", text);
    sendLine("info string book move %s\n", text);
    lastMoveFromBook = 1;
    sendBestMove(move);
}

bool allowed(const GoWords& go, Move move) {
    return go.searchMoves.empty() || std::find(go.searchMoves.begin(), go.searchMoves.end(), move) != go.searchMoves.end();
}

// A book position is answered from the book, at once, or, pondering, at the
// ponderhit or stop, with no search meanwhile. False when the book has no move here
// or only one that searchmoves leaves out.
bool goFromBook(const GoWords& go) {
    const Move move = ownBook && !go.infinite ? bookMove(gamePosition, engineTable()) : 0;
    if (!move || !allowed(go, move)) return false;
    if (!go.ponder) {
        answerWithBookMove(move);
        return true;
    }
    pending = PendingGo{};
    pending.active = pending.pondering = pending.searchEnded = true;
    pending.bookMove = move;
    engineState = ENGINE_PONDERING;
    logLine("-M: pondering in the book");
    return true;
}

}  // namespace

void startGo(Inbox& args) {
    const GoWords go = readGo(args);
    const Side side = gamePosition.sideToMove;
    if (goFromBook(go)) return;

    // The budget, from the side to move's clock or the movetime; the first move
    // searched after the book gets longer.
    const bool timed = setGoBudget({go.time[side], go.increment[side], go.movesToGo, go.moveTime});
    if (lastMoveFromBook) {
        lastMoveFromBook = 0;
        if (timed) extendOutOfBookBudget();
    }

    // The search, on the engine's own time or the opponent's.
    pending = PendingGo{};
    pending.active = true;
    pending.pondering = go.ponder;
    pending.waitsForStop = go.infinite;
    pending.budgeted = timed && !go.infinite;
    engineState = go.ponder ? ENGINE_PONDERING : ENGINE_THINKING;
    StartEngine(gamePosition, go.ponder ? REQUEST_PONDER : REQUEST_THINK, depthOf(go), nodesOf(go),
                {go.searchMoves, multiPvLines});
    pending.startMs = engineControl().startMs;
    if (pending.budgeted && !go.ponder) setDeadline(moveTimeMs);
}

void waitForGoOrInput(Inbox& input) {
    while (pending.active && !pending.searchEnded) {
        const auto deadline = pending.timed ? pending.deadline : Inbox::Clock::now() + FAR_AHEAD;
        switch (waitForSearch(input, deadline, true)) {
            case Inbox::Wake::INPUT:
            case Inbox::Wake::QUIT:
                return;
            case Inbox::Wake::DONE:
                // Ended by itself: a ponder or infinite search still waits for its word.
                if (!pending.pondering && !pending.waitsForStop) return answerGo();
                pending.searchEnded = true;
                logLine("-M: search ended; bestmove held for %s", pending.pondering ? "ponderhit or stop" : "stop");
                return;
            case Inbox::Wake::DEADLINE: {
                if (!pending.timed) break;
                // A root that has just failed low may finish its iteration, once.
                const std::uint32_t extra =
                    pending.extraGiven || rootAspiration() >= 0 ? 0 : extraTimeAfterFailLow();
                if (extra == 0) return answerGo();
                logLine("-M: FL - Extra time");
                pending.deadline += std::chrono::milliseconds(extra);
                pending.extraGiven = true;
                break;
            }
        }
    }
}

void answerGo() {
    if (!pending.active) return;
    const Move fromBook = pending.bookMove;
    pending = PendingGo{};
    engineState = ENGINE_IDLE;
    StopEngineConditional(std::nullopt);
    if (fromBook) return answerWithBookMove(fromBook);
    sendBestMove(playableBestMove());
}

void ponderHit() {
    if (!pending.active || !pending.pondering) {
        logLine("-M: ponderhit without a ponder search: ignored");
        return;
    }
    logLine("-GOOD PONDER");
    pending.pondering = false;
    engineState = ENGINE_THINKING;
    turnPonderIntoThink();
    // An infinite search still waits for its stop.
    if (pending.searchEnded && !pending.waitsForStop) return answerGo();
    // Pondering counts as time spent on the move.
    if (pending.budgeted) setDeadline(std::int64_t{moveTimeMs} + pending.startMs - std::int64_t{clockMs()});
}

void abandonGo() { pending = PendingGo{}; }
