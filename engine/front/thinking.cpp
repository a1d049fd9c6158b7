#include "front/thinking.h"

#include <cinttypes>
#include <cstdio>

#include "base/output.h"
#include "front/constants.h"
#include "front/state.h"

namespace {

bool postThinking = false;

void showThinking(const SearchReport& report) { sendLine("%s", thinkingLine(report).c_str()); }
void showUciInfoLine(const SearchReport& report) { sendLine("%s", uciInfoLine(report).c_str()); }

}  // namespace

void setPostThinking(bool on) {
    postThinking = on;
    updateThinkingOutput();
}

void updateThinkingOutput() {
    searchReportHook.store(postThinking || analyzeMode ? showThinking : nullptr, std::memory_order_release);
}

bool isMateScore(int score) { return score > MATE_THRESHOLD || score < -MATE_THRESHOLD; }

// A side mated at ply p scores p - MATE_SCORE: mate at an odd ply is ours.
int movesToMate(int score) { return score > 0 ? (MATE_SCORE - score + 1) / 2 : -(MATE_SCORE + score) / 2; }

int interfaceScore(int score) {
    if (!isMateScore(score)) return score;
    return score > 0 ? XBOARD_MATE_SCORE + movesToMate(score) : -XBOARD_MATE_SCORE + movesToMate(score);
}

std::string thinkingLine(const SearchReport& report) {
    char head[96];
    std::snprintf(head, sizeof head, "%d %d %u %" PRIu64 " ", report.depth, interfaceScore(report.score),
                  report.elapsedMs / MS_PER_CENTISECOND, report.nodes);
    return head + std::string(report.pv) + "\n";
}

void showUciInfo() { searchReportHook.store(showUciInfoLine, std::memory_order_release); }

namespace {

// UCI marks the scores of lines from an unfinished iteration that are only bounds.
const char* uciBoundWord(ReportKind kind) {
    switch (kind) {
        case ReportKind::FAIL_HIGH: return " lowerbound";
        case ReportKind::FAIL_LOW: return " upperbound";
        default: return "";
    }
}

}  // namespace

std::string uciInfoLine(const SearchReport& report) {
    const bool mate = isMateScore(report.score);
    const std::uint64_t nps = report.elapsedMs ? report.nodes * MS_PER_SECOND / report.elapsedMs : 0;
    // The line's place among the best lines, only when more than one is asked for.
    char line[32] = "";
    if (report.lines > 1) std::snprintf(line, sizeof line, " multipv %d", report.line);
    char head[192];
    std::snprintf(head, sizeof head, "info depth %d%s score %s %d%s nodes %" PRIu64 " nps %" PRIu64 " time %u",
                  report.depth, line, mate ? "mate" : "cp", mate ? movesToMate(report.score) : report.score,
                  uciBoundWord(report.kind), report.nodes, nps, report.elapsedMs);
    return report.pv[0] ? head + std::string(" pv ") + report.pv + "\n" : head + std::string("\n");
}
