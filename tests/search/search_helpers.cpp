#include "search/search_helpers.h"

#include <gtest/gtest.h>

#include "base/log.h"
#include "game/gameposition.h"
#include "search/root.h"
#include "search/searchthread.h"

LogCapture::LogCapture() { EXPECT_TRUE(openLog(dir_.file("trace.log").c_str())); }

LogCapture::~LogCapture() { closeLog(); }

std::string LogCapture::text() const { return readFile(dir_.file("trace.log")); }

SearchWorker& workerOnGamePosition() {
    SearchWorker& w = mainWorker();
    w.pos = gamePosition;
    w.currentPly = w.plies;
    return w;
}

Move searchToDepth(int depth, const RootScope& scope) {
    SearchWorker& w = workerOnGamePosition();
    w.scope = scope;
    w.control.maxDepth.store(static_cast<std::uint32_t>(depth));
    w.control.stopFlag.store(0);
    w.control.nodeLimit.store(NO_NODE_LIMIT);
    return iterativeDeepening(w);
}
