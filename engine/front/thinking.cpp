#include "front/thinking.h"

#include <cinttypes>
#include <cstdio>

#include "base/output.h"
#include "front/constants.h"
#include "front/state.h"

namespace {

bool postThinking = false;

void showThinking(const SearchReport& report) { sendLine("%s", thinkingLine(report).c_str()); }

}  // namespace

void setPostThinking(bool on) {
    postThinking = on;
    updateThinkingOutput();
}

void updateThinkingOutput() {
    searchReportHook.store(postThinking || analyzeMode ? showThinking : nullptr, std::memory_order_release);
}

int interfaceScore(int score) {
    // A side mated at ply p scores p - MATE_SCORE: mate at an odd ply is ours.
    if (score > MATE_THRESHOLD) return XBOARD_MATE_SCORE + (MATE_SCORE - score + 1) / 2;
    if (score < -MATE_THRESHOLD) return -XBOARD_MATE_SCORE - (MATE_SCORE + score) / 2;
    return score;
}

std::string thinkingLine(const SearchReport& report) {
    char head[96];
    std::snprintf(head, sizeof head, "%d %d %u %" PRIu64 " ", report.depth, interfaceScore(report.score),
                  report.elapsedMs / MS_PER_CENTISECOND, report.nodes);
    return head + std::string(report.pv) + "\n";
}
