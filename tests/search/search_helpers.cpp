#include "search/search_helpers.h"

#include <gtest/gtest.h>

#include "base/log.h"
#include "search/control.h"
#include "search/root.h"

LogCapture::LogCapture() { EXPECT_TRUE(openLog(dir_.file("trace.log").c_str())); }

LogCapture::~LogCapture() { closeLog(); }

std::string LogCapture::text() const { return readFile(dir_.file("trace.log")); }

Move searchToDepth(int depth) {
    maxDepth.store(static_cast<std::uint32_t>(depth));
    stopFlag.store(0);
    return iterativeDeepening();
}
