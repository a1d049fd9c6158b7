// Reading words, numbers and lines from the interface, including input no interface
// should send: over-long words and lines, NUL bytes, early ends.
#include <gtest/gtest.h>

#include <string>

#include "front/input.h"

namespace {

// One read, written as its letter and what it must give: "w WORD" (a word, "<end>" at the
// end of input, "<long:START>" for one too long), "i N" (an integer), "t N" (thousandths
// of a number of seconds), "c X" (the character X, if it comes next), "l TEXT" (the rest
// of the line); "-" where nothing can be read.
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
    const struct {
        std::string input;
        std::vector<std::string> reads;
    } cases[] = {
        {"  xboard\r\nprotover\t2\v\fnew\n", {"w xboard", "w protover", "w 2", "w new", "w <end>", "w <end>"}},
        {"setboard 8/8 w\n", {"w setboard", "c  ", "w 8/8"}},  // the blank after the word stays
        // Were an over-long word split at the buffer's end, its rest would read as "quit".
        {exact + " " + cut + "quit" + std::string(10000, 'y') + "\nnew", {"w " + exact, "w <long:" + cut + ">", "w new", "w <end>"}},
        {std::string("ne\0w go", 7), {"w ne", "w go"}},  // the word's bytes after the NUL are consumed
        // Like scanf's %ld: "otim" stays to be read, a sign needs digits, a huge number is clamped.
        {"  30000 otim\n -42x + 7 99999999999999999999999 ",
         {"i 30000", "i -", "w otim", "i -42", "c x", "i -", "i 7", "i 1000000000000", "i -"}},
        // As XBoard writes level's increment and st: "0.1" is one tenth of a second.
        {" 12 0.1 .5 2.25 1.0009 7: x", {"t 12000", "t 100", "t 500", "t 2250", "t 1000", "t 7000", "c :", "t -", "w x"}},
        // A short line whole, a long one cut (its rest gone), the last one up to the end of input.
        {" 8/8/8 w - -\n" + longLine + "\nnext 8/8 w",
         {"l  8/8/8 w - -\n", "l " + longLine.substr(0, SETBOARD_LINE_LIMIT), "w next", "l  8/8 w", "w <end>"}},
    };
    for (const auto& c : cases) {
        Inbox in(c.input);
        in.close();
        for (const std::string& read : c.reads) EXPECT_EQ(perform(in, read), read) << c.input.substr(0, 40);
    }
}
