// EPD lines as text: real lines (pgn-extract's, and lines in the form of the public test
// suites) written back byte for byte, opcodes read and set, lines that are no EPD refused.
#include <gtest/gtest.h>

#include "records/epdline.h"
#include "records/text_support.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

// What reading and editing a line gives, in the words of epd_cases.txt.
std::string written(const std::string& line, const std::string& edits) {
    std::string fault;
    std::optional<EpdLine> epd = EpdLine::read(line, fault);
    if (!epd) return "fault: " + fault;
    for (const std::string& edit : splitAt(edits, " && ")) {
        if (edit.empty()) continue;
        const std::size_t equals = edit.find('=');
        const std::string operands = edit.substr(equals + 1);
        epd->set(edit.substr(0, equals), operands.empty() ? std::vector<std::string>{} : splitAt(operands, ","));
    }
    return epd->text();
}

class EpdCase : public ::testing::TestWithParam<DataRow> {};
class EpdRead : public ::testing::TestWithParam<DataRow> {};
class EpdFile : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(EpdCase, LineWritten) {
    const DataRow& row = GetParam();
    EXPECT_EQ(written(unescaped(row[1]), row[2]), unescaped(row[3]));
}

TEST_P(EpdRead, Operands) {
    const DataRow& row = GetParam();
    std::string fault;
    const std::optional<EpdLine> epd = EpdLine::read(row[1], fault);
    ASSERT_TRUE(epd) << fault;
    if (row[2] == "fen") {
        EXPECT_EQ(epd->fen(), row[3]);
        return;
    }
    std::string operands;
    for (const std::string& operand : epd->operands(row[2])) operands += (operands.empty() ? "" : ",") + operand;
    EXPECT_EQ(operands, row[3]);
}

// Every line reads, gives its four fields as the position, and comes back as it was,
// also after an opcode it has is set to the operands it has.
TEST_P(EpdFile, EveryLineBackAsItWas) {
    const std::vector<std::string> lines = splitLines(readFile(dataPath("records/" + GetParam() + ".epd")));
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) {
        std::string fault;
        std::optional<EpdLine> epd = EpdLine::read(line, fault);
        ASSERT_TRUE(epd) << fault << ": " << line;
        const std::vector<std::string> words = splitWords(line);
        EXPECT_EQ(epd->position(), words[0] + " " + words[1] + " " + words[2] + " " + words[3]);
        EXPECT_EQ(epd->text(), line);
        for (const EpdLineOperation& operation : epd->operations())
            EXPECT_EQ(line.substr(operation.begin, operation.opcode.size()), operation.opcode);
        if (!epd->operations().empty()) {
            const EpdLineOperation last = epd->operations().back();
            epd->set(last.opcode, last.operands);
            EXPECT_EQ(splitAt(epd->text(), ";").size(), splitAt(line, ";").size()) << "replaced: " << epd->text();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EpdCase, testing::ValuesIn(recordsTable("epd_cases.txt", 4)), rowName);
INSTANTIATE_TEST_SUITE_P(Cases, EpdRead, testing::ValuesIn(recordsTable("epd_reads.txt", 4)), rowName);
INSTANTIATE_TEST_SUITE_P(RealLines, EpdFile, testing::ValuesIn(dataFileNames("records", ".epd")),
                         [](const testing::TestParamInfo<std::string>& file) { return identifierOf(file.param); });
