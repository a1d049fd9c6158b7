#include "search/searchthread.h"

#include <thread>

#include "base/clock.h"
#include "base/log.h"
#include "search/root.h"
#include "search/searchconst.h"

Event startEvent{Event::Reset::AUTOMATIC};
Event stoppedEvent{Event::Reset::MANUAL};
Event startedEvent{Event::Reset::AUTOMATIC};
std::atomic<SearchIdleHook> searchIdleHook{nullptr};

namespace {

std::thread searchThread;
std::uint32_t searchBegan = 0;  // the search thread's alone

bool searches(SearchRequest request) {
    return request == REQUEST_THINK || request == REQUEST_PONDER || request == REQUEST_ANALYZE;
}

void becomeIdle() {
    logLine("-------------- STOPPED%u", clockMs());
    stoppedEvent.set();
    if (const SearchIdleHook hook = searchIdleHook.load(std::memory_order_acquire)) hook();
}

// Idle until a start request; then searches if asked to, else (at the end) leaves.
void searchThreadMain() {
    for (;;) {
        becomeIdle();
        startEvent.wait();
        stoppedEvent.reset();
        if (searches(searchRequest)) {
            searchBegan = clockMs();
            logLine("-------------- STARTED%u", searchBegan);
            startedEvent.set();
            iterativeDeepening();
        } else {
            logLine("-------------- ELSE  %u", clockMs());
            // Any request but the last must still be acknowledged, or StartEngine waits for ever.
            if (searchRequest != REQUEST_QUIT) startedEvent.set();
        }
        if (searchRequest == REQUEST_QUIT) break;
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
    if (!searchThread.joinable()) return;
    stopFlag = 1;
    stoppedEvent.wait();
    StartEngine(REQUEST_QUIT, MAX_SEARCH_DEPTH + 1);
    searchThread.join();
}

void StartEngine(SearchRequest request, std::uint32_t depth, std::uint64_t nodes) {
    logLine("-M: entered StartEngine");
    // Without the thread no request could ever be taken up.
    createSearchThread();
    searchRequest = request;
    maxDepth = depth < MAX_SEARCH_DEPTH ? depth : MAX_SEARCH_DEPTH;
    nodeLimit = nodes;
    stopFlag = 0;
    searchStartMs = clockMs();
    startEvent.set();
    startedEvent.wait();
    logLine("-M: exited StartEngine");
}

void StopEngine() {
    logLine("-M: entered StopEngine");
    searchRequest = REQUEST_NONE;
    searchStartMs = 0;
    stopFlag = 1;
    // Nothing can be running before the thread exists.
    if (searchThread.joinable()) stoppedEvent.wait();
    logLine("-M: exited StopEngine");
}

void StopEngineConditional(std::optional<std::uint32_t> failLowExtraMs) {
    logLine("-M: entered StopEngineConditional");
    searchRequest = REQUEST_NONE;
    if (aspirationState < 0 && failLowExtraMs) {
        logLine("-M: FL - Extra time");
        stoppedEvent.waitFor(*failLowExtraMs);
    }
    stopFlag = 1;
    searchStartMs = 0;
    logLine("-----WAIT INF C:");
    if (searchThread.joinable()) stoppedEvent.wait();
    logLine("-M: exited StopEngineConditional");
}

void turnPonderIntoThink() { searchRequest = REQUEST_THINK; }

std::uint32_t searchBeganMs() { return searchBegan; }
