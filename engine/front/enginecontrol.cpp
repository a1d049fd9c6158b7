#include "front/enginecontrol.h"

#include <thread>

#include "board/makemove.h"
#include "base/clock.h"
#include "front/constants.h"
#include "base/log.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "search/root.h"

Event startEvent{Event::Reset::AUTOMATIC};
Event stoppedEvent{Event::Reset::MANUAL};
Event startedEvent{Event::Reset::AUTOMATIC};
PlyRecord ponderRecord;

namespace {

std::thread searchThread;

// Idle until a start request; then searches if asked to, else (at the end) leaves.
void searchThreadMain() {
    for (;;) {
        logLine("-------------- STOPPED%u", clockMs());
        stoppedEvent.set();
        startEvent.wait();
        stoppedEvent.reset();
        const EngineState state = engineState;
        if (state == ENGINE_THINKING || state == ENGINE_PONDERING) {
            logLine("-------------- STARTED%u", clockMs());
            startedEvent.set();
            iterativeDeepening();
        } else {
            logLine("-------------- ELSE  %u", clockMs());
            // Any request but the last must still be acknowledged, or StartEngine waits for ever.
            if (engineState != ENGINE_QUITTING) startedEvent.set();
        }
        if (engineState == ENGINE_QUITTING) break;
    }
    logLine("-------------- STARTED");
    startedEvent.set();
}

}  // namespace

void createSearchThread() {
    if (searchThread.joinable()) return;
    searchThread = std::thread(searchThreadMain);
}

void endSearchThread() {
    StopEngine();
    engineState = ENGINE_QUITTING;
    if (!searchThread.joinable()) return;
    StartEngine(MAX_SEARCH_DEPTH + 1);
    searchThread.join();
}

void StartEngine(std::uint32_t depth) {
    logLine("-M: entered StartEngine");
    // Without the thread no request could ever be taken up.
    createSearchThread();
    maxDepth = depth < MAX_SEARCH_DEPTH ? depth : MAX_SEARCH_DEPTH;
    stopFlag = 0;
    searchStartMs = clockMs();
    startEvent.set();
    startedEvent.wait();
    logLine("-M: exited StartEngine");
}

// A stopped ponder search leaves the predicted reply on the board, where the
// opponent never played it: it goes, whatever command stopped the search.
void takeBackPonderMove() {
    const Move reply = ponderMove;
    if (!reply) return;
    currentPly = &ponderRecord;
    unmakeMove(reply, ponderRecord);
    ponderMove = 0;
    currentPly = plyRecords;
}

void StopEngine() {
    logLine("-M: entered StopEngine");
    engineState = ENGINE_IDLE;
    searchStartMs = 0;
    stopFlag = 1;
    // Nothing can be running before the thread exists.
    if (searchThread.joinable()) stoppedEvent.wait();
    takeBackPonderMove();
    logLine("-M: exited StopEngine");
}

void StopEngineConditional() {
    logLine("-M: entered StopEngineConditional");
    engineState = ENGINE_IDLE;
    if (aspirationState < 0 && moveTimeMs > EXTRA_TIME_MIN_BUDGET_MS) {
        logLine("-M: FL - Extra time");
        stoppedEvent.waitFor(extraTimeAfterFailLow());
    }
    stopFlag = 1;
    searchStartMs = 0;
    logLine("-----WAIT INF C:");
    if (searchThread.joinable()) stoppedEvent.wait();
    logLine("-M: exited StopEngineConditional");
}
