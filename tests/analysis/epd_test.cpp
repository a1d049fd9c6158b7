// analyse: positions written back with the opcodes of the search's result, judged
// against bm and am, and lines that are no position copied unchanged.
#include <gtest/gtest.h>

#include <string>

#include "analysis/epdanalysis.h"
#include "records/epdline.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

struct Analysed {
    bool ok;
    std::vector<std::string> lines;
    std::string report;
};

Analysed analyse(const std::string& input, int depth) {
    TempDir dir;
    AnalysisLimits limits;
    limits.depth = depth;
    testing::internal::CaptureStdout();
    const bool ok = analyseEpdFile(input.c_str(), dir.file("out.epd").c_str(), limits);
    const std::string report = testing::internal::GetCapturedStdout();
    return {ok, splitLines(readFile(dir.file("out.epd"))), report};
}

std::string operand(const std::string& text, const char* opcode) {
    std::string fault;
    const std::optional<EpdLine> line = EpdLine::read(text, fault);
    if (!line || line->operands(opcode).empty()) return "";
    std::string joined;
    for (const std::string& word : line->operands(opcode)) joined += (joined.empty() ? "" : " ") + word;
    return joined;
}

}  // namespace

TEST(AnalyseEpd, PositionsGetTheSearchsOpcodesAndAreJudgedByBmAndAm) {
    const std::vector<std::string> input = splitLines(readFile(dataPath("analysis/positions.epd")));
    const Analysed out = analyse(dataPath("analysis/positions.epd"), 6);
    ASSERT_TRUE(out.ok) << out.report;
    ASSERT_EQ(out.lines.size(), input.size());
    EXPECT_EQ(operand(out.lines[0], "bm"), "Rd8#");
    EXPECT_EQ(operand(out.lines[0], "ce"), "32766");  // mate in one ply
    EXPECT_EQ(operand(out.lines[1], "bm"), "Qxd5");
    EXPECT_EQ(operand(out.lines[1], "pv").rfind("Qxd5 ", 0), 0u) << out.lines[1];
    EXPECT_NE(operand(out.lines[2], "bm"), "Ba6");
    EXPECT_EQ(operand(out.lines[0], "acd"), "2") << "a mate within the depth searched ends the search";
    for (int i : {0, 1, 2, 5}) {
        if (i) {
            EXPECT_EQ(operand(out.lines[i], "acd"), "6") << out.lines[i];
        }
        EXPECT_GT(std::stoll(operand(out.lines[i], "acn")), 0) << out.lines[i];
        EXPECT_EQ(out.lines[i].rfind(input[i].substr(0, input[i].find(' ')), 0), 0u) << "the position stays";
    }
    EXPECT_EQ(operand(out.lines[5], "ce"), "0");   // bare kings: a draw
    EXPECT_EQ(operand(out.lines[5], "id"), "bare kings");
    // No position the engine can play, and no EPD at all: written back as they were.
    EXPECT_EQ(out.lines[3], input[3]);
    EXPECT_EQ(out.lines[4], input[4]);
    EXPECT_NE(out.report.find("solved: 3 of 3"), std::string::npos) << out.report;
    EXPECT_NE(out.report.find("Warning: line 5"), std::string::npos) << out.report;
}

TEST(AnalyseEpd, AWrongMoveIsListedAsNotSolved) {
    TempDir dir;
    writeFile(dir.file("in.epd"), "4k3/8/8/3q4/8/8/3Q4/4K3 w - - bm Kd1; id \"not the best\";\n");
    const Analysed out = analyse(dir.file("in.epd"), 5);
    EXPECT_NE(out.report.find("solved: 0 of 1"), std::string::npos) << out.report;
    EXPECT_NE(out.report.find("not solved: not the best: found Qxd5"), std::string::npos) << out.report;
    EXPECT_FALSE(analyse(dir.file("missing.epd"), 2).ok);
}
