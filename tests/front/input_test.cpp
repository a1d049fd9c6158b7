// Reading words, numbers and lines from the interface, including input no
// interface should send: over-long words and lines, NUL bytes, early ends.
#include <gtest/gtest.h>

#include <string>

#include "front/input.h"

namespace {

// Input that has all come (it may hold NUL bytes).
struct TextStream {
    explicit TextStream(const std::string& text) : file(text) { file.close(); }
    Inbox file;
};

std::string nextWord(Inbox& in) {
    char word[WORD_BUFFER_SIZE];
    const WordRead read = readWord(in, word);
    if (read == WordRead::END) return "<end>";
    return read == WordRead::TOO_LONG ? "<long:" + std::string(word) + ">" : std::string(word);
}

}  // namespace

TEST(ReadWord, SplitsOnEveryKindOfBlankAndEndsCleanly) {
    TextStream in("  xboard\r\nprotover\t2\v\fnew\n");
    for (const char* expected : {"xboard", "protover", "2", "new", "<end>", "<end>"}) EXPECT_EQ(nextWord(in.file), expected);
}

TEST(ReadWord, LeavesTheBlankAfterTheWordInTheStream) {
    TextStream in("setboard 8/8 w\n");
    EXPECT_EQ(nextWord(in.file), "setboard");
    EXPECT_EQ(in.file.get(), ' ');
}

TEST(ReadWord, AnOverLongWordIsSwallowedWhole) {
    const std::string exact(WORD_BUFFER_SIZE - 1, 'e');
    // Were the word split at the buffer's end, its rest would read as "quit".
    const std::string overLong = std::string(WORD_BUFFER_SIZE - 1, 'x') + "quit" + std::string(10000, 'y');
    TextStream in(exact + " " + overLong + "\nnew");
    EXPECT_EQ(nextWord(in.file), exact);
    EXPECT_EQ(nextWord(in.file), "<long:" + std::string(WORD_BUFFER_SIZE - 1, 'x') + ">");
    EXPECT_EQ(nextWord(in.file), "new");
    EXPECT_EQ(nextWord(in.file), "<end>");
}

TEST(ReadWord, NulBytesStayInsideTheirWord) {
    TextStream in(std::string("ne\0w go", 7));
    EXPECT_EQ(nextWord(in.file), "ne");  // the C string ends at the NUL; the word's bytes are consumed
    EXPECT_EQ(nextWord(in.file), "go");
}

TEST(ReadInteger, ReadsLikeAScanfDecimal) {
    TextStream in("  30000 otim\n -42x + 7 99999999999999999999999 ");
    long value = 0;
    ASSERT_TRUE(readInteger(in.file, value));
    EXPECT_EQ(value, 30000);
    EXPECT_FALSE(readInteger(in.file, value));  // "otim" is not a number and stays to be read
    EXPECT_EQ(nextWord(in.file), "otim");
    ASSERT_TRUE(readInteger(in.file, value));
    EXPECT_EQ(value, -42);
    EXPECT_TRUE(readCharIf(in.file, 'x'));
    EXPECT_FALSE(readInteger(in.file, value));  // a sign with no digits after it
    ASSERT_TRUE(readInteger(in.file, value));
    EXPECT_EQ(value, 7);
    ASSERT_TRUE(readInteger(in.file, value));
    EXPECT_EQ(value, 1'000'000'000'000L);  // clamped, not overflowed
    EXPECT_FALSE(readInteger(in.file, value));
}

TEST(ReadThousandths, WholeAndFractionalSeconds) {
    // As XBoard writes level's increment and st: "0.1" is one tenth of a second.
    TextStream in(" 12 0.1 .5 2.25 1.0009 7: x");
    const long expected[] = {12000, 100, 500, 2250, 1000, 7000};
    for (long value : expected) {
        long read = -1;
        ASSERT_TRUE(readThousandths(in.file, read));
        EXPECT_EQ(read, value);
    }
    long read = 0;
    EXPECT_TRUE(readCharIf(in.file, ':'));
    EXPECT_FALSE(readThousandths(in.file, read));
    EXPECT_EQ(nextWord(in.file), "x");
}

TEST(ReadRestOfLine, KeepsAShortLineWholeAndCutsALongOne) {
    const std::string longLine = " " + std::string(300, 'k') + " quit quit quit";
    TextStream in(" 8/8/8 w - -\n" + longLine + "\nnext 8/8 w");
    char line[WORD_BUFFER_SIZE];
    readRestOfLine(in.file, line);
    EXPECT_STREQ(line, " 8/8/8 w - -\n");
    readRestOfLine(in.file, line);
    EXPECT_EQ(std::string(line), longLine.substr(0, SETBOARD_LINE_LIMIT));
    EXPECT_EQ(nextWord(in.file), "next");  // the long line's rest is gone
    readRestOfLine(in.file, line);
    EXPECT_STREQ(line, " 8/8 w");  // up to the end of input
    EXPECT_EQ(nextWord(in.file), "<end>");
}
