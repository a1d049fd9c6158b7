#include "search/search_helpers.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/log.h"
#include "search/control.h"
#include "search/root.h"

LogCapture::LogCapture() { EXPECT_TRUE(openLog(dir_.file("trace.log").c_str())); }

LogCapture::~LogCapture() { closeLog(); }

std::string LogCapture::text() const { return readFile(dir_.file("trace.log")); }

std::string LogCapture::firstIterationLine() const {
    std::istringstream lines(text());
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("-E: ", 0) == 0) return line;
    return "";
}

Move searchToDepth(int depth) {
    maxDepth.store(static_cast<std::uint32_t>(depth));
    stopFlag.store(0);
    return iterativeDeepening();
}
