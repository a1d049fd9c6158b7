#include "search/searchthread.h"

#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "base/clock.h"
#include "base/log.h"
#include "search/root.h"
#include "search/searchconst.h"

Event startEvent{Event::Reset::AUTOMATIC};
Event stoppedEvent{Event::Reset::MANUAL};
Event startedEvent{Event::Reset::AUTOMATIC};
std::atomic<SearchIdleHook> searchIdleHook{nullptr};

namespace {

// A helper: a worker of its own on a thread of its own, started and awaited by the
// main search thread.
struct Helper {
    std::unique_ptr<SearchWorker> worker;
    Event start{Event::Reset::AUTOMATIC};
    Event idle{Event::Reset::MANUAL};
    bool quit = false;  // written before start is set
    std::thread thread;

    void run() {
        for (;;) {
            idle.set();
            start.wait();
            if (quit) return;
            iterativeDeepening(*worker);
        }
    }
};

// The engine's one search: the table, the control, the main worker and the helpers.
struct EngineSearch {
    TranspositionTable table;
    SearchControl control;
    std::unique_ptr<SearchWorker> main = std::make_unique<SearchWorker>(table, control, 0);
    std::vector<std::unique_ptr<Helper>> helpers;
    std::thread thread;
    std::uint32_t began = 0;  // the search thread's alone

    EngineSearch() { control.team = {main.get()}; }
    // At exit, a search thread still running (a tool or test that never quit) is ended
    // first: a thread object must not be destroyed while its thread runs.
    ~EngineSearch();
};

EngineSearch& engine() {
    static EngineSearch instance;
    return instance;
}

bool searches(SearchRequest request) {
    return request == REQUEST_THINK || request == REQUEST_PONDER || request == REQUEST_ANALYZE;
}

void becomeIdle() {
    logLine("-------------- STOPPED%u", clockMs());
    stoppedEvent.set();
    if (const SearchIdleHook hook = searchIdleHook.load(std::memory_order_acquire)) hook();
}

// The main worker's search with the helpers beside it; they stop when it does.
void searchWithHelpers(EngineSearch& e) {
    for (const auto& helper : e.helpers) {
        helper->idle.reset();
        helper->start.set();
    }
    iterativeDeepening(*e.main);
    e.control.stopFlag.store(1, std::memory_order_relaxed);
    for (const auto& helper : e.helpers) helper->idle.wait();
}

// Idle until a start request; then searches if asked to, else (at the end) leaves.
void searchThreadMain() {
    EngineSearch& e = engine();
    for (;;) {
        becomeIdle();
        startEvent.wait();
        stoppedEvent.reset();
        if (searches(e.control.request)) {
            e.began = clockMs();
            logLine("-------------- STARTED%u", e.began);
            startedEvent.set();
            searchWithHelpers(e);
        } else {
            logLine("-------------- ELSE  %u", clockMs());
            // Any request but the last must still be acknowledged, or StartEngine waits for ever.
            if (e.control.request != REQUEST_QUIT) startedEvent.set();
        }
        if (e.control.request == REQUEST_QUIT) break;
    }
    logLine("-------------- STARTED");
    startedEvent.set();
}

void endHelpers(EngineSearch& e) {
    for (const auto& helper : e.helpers) {
        helper->quit = true;
        helper->start.set();
        helper->thread.join();
    }
    e.helpers.clear();
}

void setTeam(EngineSearch& e) {
    e.control.team = {e.main.get()};
    for (const auto& helper : e.helpers) e.control.team.push_back(helper->worker.get());
}

EngineSearch::~EngineSearch() { endSearchThread(); }

}  // namespace

void createSearchThread() {
    EngineSearch& e = engine();
    if (e.thread.joinable()) return;
    e.thread = std::thread(searchThreadMain);
}

void endSearchThread() {
    EngineSearch& e = engine();
    if (e.thread.joinable()) {
        e.control.stopFlag = 1;
        stoppedEvent.wait();
        StartEngine(e.main->pos, REQUEST_QUIT, MAX_SEARCH_DEPTH + 1);
        e.thread.join();
    }
    endHelpers(e);
    setTeam(e);
}

void StartEngine(const Position& root, SearchRequest request, std::uint32_t depth, std::uint64_t nodes,
                 const RootScope& scope) {
    logLine("-M: entered StartEngine");
    EngineSearch& e = engine();
    // Without the thread no request could ever be taken up.
    createSearchThread();
    if (searches(request)) {
        // Every count starts afresh before any report can add them up.
        for (SearchWorker* w : e.control.team) {
            w->pos = root;
            w->scope = scope;
            w->nodes.store(0, std::memory_order_relaxed);
        }
    }
    e.control.request = request;
    e.control.maxDepth = depth < MAX_SEARCH_DEPTH ? depth : MAX_SEARCH_DEPTH;
    e.control.nodeLimit = nodes;
    e.control.stopFlag = 0;
    e.control.startMs = clockMs();
    startEvent.set();
    startedEvent.wait();
    logLine("-M: exited StartEngine");
}

void StopEngine() {
    logLine("-M: entered StopEngine");
    EngineSearch& e = engine();
    e.control.request = REQUEST_NONE;
    e.control.startMs = 0;
    e.control.stopFlag = 1;
    // Nothing can be running before the thread exists.
    if (e.thread.joinable()) stoppedEvent.wait();
    logLine("-M: exited StopEngine");
}

void StopEngineConditional(std::optional<std::uint32_t> failLowExtraMs) {
    logLine("-M: entered StopEngineConditional");
    EngineSearch& e = engine();
    e.control.request = REQUEST_NONE;
    if (rootAspiration() < 0 && failLowExtraMs) {
        logLine("-M: FL - Extra time");
        stoppedEvent.waitFor(*failLowExtraMs);
    }
    e.control.stopFlag = 1;
    e.control.startMs = 0;
    logLine("-----WAIT INF C:");
    if (e.thread.joinable()) stoppedEvent.wait();
    logLine("-M: exited StopEngineConditional");
}

void turnPonderIntoThink() { engine().control.request = REQUEST_THINK; }

std::uint32_t searchBeganMs() { return engine().began; }

SearchWorker& mainWorker() { return *engine().main; }

TranspositionTable& engineTable() { return engine().table; }

SearchControl& engineControl() { return engine().control; }

bool setSearchThreads(int count, std::string& why) {
    EngineSearch& e = engine();
    if (count < MIN_SEARCH_THREADS || count > MAX_SEARCH_THREADS) {
        why = "the number of threads must be " + std::to_string(MIN_SEARCH_THREADS) + " to " +
              std::to_string(MAX_SEARCH_THREADS);
        return false;
    }
    const std::size_t helperCount = static_cast<std::size_t>(count - 1);
    if (helperCount == e.helpers.size()) return true;
    endHelpers(e);
    try {
        for (std::size_t i = 0; i < helperCount; ++i) {
            auto helper = std::make_unique<Helper>();
            helper->worker = std::make_unique<SearchWorker>(e.table, e.control, static_cast<int>(i + 1));
            Helper* const running = helper.get();
            helper->thread = std::thread([running] { running->run(); });
            e.helpers.push_back(std::move(helper));
        }
    } catch (const std::exception& error) {
        // Whatever could be had is given back: the engine goes on with one thread.
        endHelpers(e);
        setTeam(e);
        why = std::string("no more threads or memory could be had (") + error.what() + ")";
        return false;
    }
    setTeam(e);
    return true;
}

int searchThreadCount() { return static_cast<int>(engine().helpers.size()) + 1; }

bool setHashMegabytes(std::size_t megabytes, std::string& why) { return engine().table.resize(megabytes, why); }

void clearSearchTables() {
    EngineSearch& e = engine();
    e.table.clear();
    e.main->clearHeuristics();
    for (const auto& helper : e.helpers) helper->worker->clearHeuristics();
}

void clearHistoryCounters() {
    EngineSearch& e = engine();
    e.main->clearHistory();
    for (const auto& helper : e.helpers) helper->worker->clearHistory();
}
