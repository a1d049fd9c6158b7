// Reading words, numbers and lines from the interface, including input no interface
// should send: over-long words and lines, NUL bytes, early ends.
#include <gtest/gtest.h>

#include <string>

#include "front/input.h"
#include "support/data_files.h"

namespace {

// One read, written as in tests/data/input_reads.txt: what it gave.
std::string perform(Inbox& in, const std::string& read) {
    char text[WORD_BUFFER_SIZE];
    long value = 0;
    switch (read[0]) {
        case 'w': {
            const WordRead result = readWord(in, text);
            if (result == WordRead::END) return "w <end>";
            return result == WordRead::TOO_LONG ? "w <long:" + std::string(text) + ">" : "w " + std::string(text);
        }
        case 'i': return readInteger(in, value) ? "i " + std::to_string(value) : "i -";
        case 't': return readThousandths(in, value) ? "t " + std::to_string(value) : "t -";
        case 'c': return readCharIf(in, read[2]) ? read : "c -";
        default: return readRestOfLine(in, text), "l " + std::string(text);
    }
}

}  // namespace

TEST(Input, EachReadTakesWhatItShouldAndLeavesTheRest) {
    const std::string exact(WORD_BUFFER_SIZE - 1, 'e'), cut(WORD_BUFFER_SIZE - 1, 'x');
    const std::string longLine = " " + std::string(300, 'k') + " quit quit quit";
    std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        // Were an over-long word split at the buffer's end, its rest would read as "quit".
        {exact + " " + cut + "quit" + std::string(10000, 'y') + "\nnew", {"w " + exact, "w <long:" + cut + ">", "w new", "w <end>"}},
        // A short line whole, a long one cut (its rest gone), the last one up to the end of input.
        {" 8/8/8 w - -\n" + longLine + "\nnext 8/8 w",
         {"l  8/8/8 w - -\n", "l " + longLine.substr(0, SETBOARD_LINE_LIMIT), "w next", "l  8/8 w", "w <end>"}},
    };
    for (const DataRow& row : readDataTable("input_reads.txt")) {
        cases.push_back({unescaped(row[0]), {}});
        for (std::size_t i = 1; i < row.size(); ++i) cases.back().second.push_back(unescaped(row[i]));
    }
    ASSERT_GE(cases.size(), 7u);
    for (const auto& [input, reads] : cases) {
        Inbox in(input);
        in.close();
        for (const std::string& read : reads) EXPECT_EQ(perform(in, read), read) << input.substr(0, 40);
    }
}
