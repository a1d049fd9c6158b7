// The PGN reader on hand-made games: what it takes, what it skips, what it
// refuses, and that the engine's position is the initial one after every game,
// whichever way the reading ended.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "records/pgnreader.h"
#include "records/records_support.h"

using namespace std::string_literals;

namespace {

// Move codes worked out by hand: a8 = 0 ... h1 = 63, kind in bits 12-15.
Square sq(const char* name) { return makeSquare(name[0] - 'a', '8' - name[1]); }
Move quiet(const char* from, const char* to) { return makeMoveCode(sq(from), sq(to), KIND_QUIET); }
Move capture(const char* from, const char* to) { return makeMoveCode(sq(from), sq(to), KIND_CAPTURE); }

class PgnReader : public ::testing::Test {
protected:
    void SetUp() override { setUpInitialPosition(); }
    void TearDown() override { EXPECT_TRUE(atInitialPosition()) << "the reader left moves made"; }

    // Reads one game from text; output receives standard output.
    std::uint16_t read(const std::string& text) {
        input.str(text);
        input.clear();
        std::uint16_t bits = 0;
        output = capturedOutput([&] { bits = readPgnGame(record, input); });
        return bits;
    }
    // The message of the error reading text raises, "" if none.
    std::string errorOf(const std::string& text) {
        input.str(text);
        input.clear();
        std::string message;
        testing::internal::CaptureStdout();
        try {
            readPgnGame(record, input);
        } catch (const RecordError& error) {
            message = error.what();
        }
        output = testing::internal::GetCapturedStdout();
        return message;
    }
    void expectMoves(std::initializer_list<Move> moves) {
        ASSERT_EQ(pliesOf(record), static_cast<int>(moves.size()));
        int i = 0;
        for (Move m : moves) EXPECT_EQ(record.moves[i++], m) << "ply " << i;
    }

    GameRecord record{};
    std::istringstream input;
    std::string output;
};

const Move E2E4 = quiet("e2", "e4"), E7E5 = quiet("e7", "e5"), G1F3 = quiet("g1", "f3"), B8C6 = quiet("b8", "c6");
const Move C7C5 = quiet("c7", "c5"), D7D6 = quiet("d7", "d6"), D2D4 = quiet("d2", "d4");

}  // namespace

TEST_F(PgnReader, DecidedGameGivesHeaderMovesAndResult) {
    EXPECT_EQ(read("[Event \"x\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 Nc6 1-0\n"), 2 * 16384);
    EXPECT_EQ(record.header, 4 | 2 * 16384);
    expectMoves({E2E4, E7E5, G1F3, B8C6});
    EXPECT_STREQ(record.resultText, "1-0");
    EXPECT_EQ(record.resultCode, 'W');
    EXPECT_FALSE(pgnInputLeft(input)) << "the result token is consumed";
}

TEST_F(PgnReader, EachResultGivesItsBits) {
    EXPECT_EQ(read("[Result \"0-1\"]\n1. f3 e5 2. g4 Qh4# 0-1"), 16384);
    EXPECT_EQ(record.resultCode, 'B');
    expectMoves({quiet("f2", "f3"), E7E5, quiet("g2", "g4"), quiet("d8", "h4")});
    EXPECT_EQ(read("[Result \"1/2-1/2\"]\n1. e4 e5 1/2-1/2"), 3 * 16384);
    EXPECT_EQ(record.resultCode, 'D');
    EXPECT_EQ(record.header, 2 | 3 * 16384);
}

TEST_F(PgnReader, MoveNumbersGlyphsCommentsAndVariationsAreSkipped) {
    EXPECT_EQ(read("[Result \"0-1\"]\n1. e4 $1 c5 $2 2. Nf3 2... d6 3. d4 0-1"), 16384);
    expectMoves({E2E4, C7C5, G1F3, D7D6, D2D4});
    EXPECT_EQ(read("[Result \"1/2-1/2\"]\n1. e4 {a {nested} comment} c5 (1... e5 2. Nf3 (2. f4 exf4)) 2. Nf3 "
                   "{ends} 1/2-1/2"),
              3 * 16384);
    expectMoves({E2E4, C7C5, G1F3});
}

TEST_F(PgnReader, UnfinishedGameIsReadAndNotTaken) {
    EXPECT_EQ(read("[Result \"*\"]\n1. e4 e5 2. Nf3 *\n[Result \"1-0\"]\n1. d4 1-0"), 0);
    EXPECT_EQ(record.header, 3) << "plies counted, no result bits";
    EXPECT_EQ(readPgnGame(record, input), 2 * 16384) << "the * was consumed";
}

TEST_F(PgnReader, WrongEndResultIsReadAsAnUnreadableWord) {
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 e5 2. Nf3 0-1\n"), 0);
    EXPECT_EQ(output, "move: -1, plyNo:4\n");
}

TEST_F(PgnReader, UnreadableWordSkipsTheRestOfTheGame) {
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 e5 2. Nf9 Nc6 {[not a tag]\n[nor this]} 3. d4\n 4. c4 1-0\n\n"
                   "[Result \"0-1\"]\n1. f3 e5 2. g4 Qh4# 0-1"),
              0);
    EXPECT_EQ(output, "move: Nf9, plyNo:3\n");
    EXPECT_EQ(readPgnGame(record, input), 16384) << "the next game is read from its tags";
    EXPECT_EQ(pliesOf(record), 4);
}

TEST_F(PgnReader, TagErrors) {
    EXPECT_EQ(errorOf("1. e4 e5 1-0"), "Result Error 2");
    EXPECT_EQ(errorOf("[Event \"x\"]\n1. e4 e5 1-0"), "Result Error 2");
    EXPECT_EQ(errorOf("[Result \"2-0\"]\n1. e4 1-0"), "Result Error 1");
    EXPECT_EQ(errorOf("[Result"), "Result Error 1") << "a tag cut short is read no further than its end";
    EXPECT_EQ(read("  \n"), 0) << "only white space: the input has ended";
}

TEST_F(PgnReader, ErrorsAfterMovesTakeThemBack) {
    EXPECT_EQ(errorOf("[Result \"1-0\"]\n1. e4 e5 2. Nf3 * 1-0"), "Result * error");
    EXPECT_EQ(errorOf("[Result \"1/2-1/2\"]\n1. e4 e5 2. Nf3 1/2-1/3"), "wrong end result 1");
    EXPECT_TRUE(atInitialPosition());
}

TEST_F(PgnReader, MoveNotGeneratedIsRefusedWithTheBoard) {
    // A coordinate word is not checked by the SAN reader: the pawn cannot take straight ahead.
    EXPECT_EQ(errorOf("[Result \"1-0\"]\n1. e4 e5 2. e4e5 1-0"), "MOVE NOT LEGAL 1");
    EXPECT_NE(output.find("move: e4e5, plyNo:3\n"), std::string::npos);
    EXPECT_GT(output.size(), std::string("move: e4e5, plyNo:3\n").size()) << "the board is printed first";
}

TEST_F(PgnReader, PinnedPieceMoveIsRefusedAsCheckRevealed) {
    // After 2. Qh5 the f7 pawn shields the king on e8 from the queen.
    EXPECT_EQ(errorOf("[Result \"1-0\"]\n1. e4 e5 2. Qh5 f7f6 1-0"), "MOVE NOT LEGAL 2 - check revealed");
    EXPECT_NE(output.find("move: f7f6, plyNo:4\n"), std::string::npos);
}

TEST_F(PgnReader, EndOfInputInsideAGame) {
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 e5 2. Nf3"), 2 * 16384);
    expectMoves({E2E4, E7E5, G1F3});
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 e5 2. Nf3 {a comment never closed 3. Nc3"), 2 * 16384);
    expectMoves({E2E4, E7E5, G1F3});
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 e5 (1... c5 2. Nf3"), 2 * 16384);
    expectMoves({E2E4, E7E5});
    EXPECT_EQ(read("[Result \"1-0\"]\n"), 0);
}

TEST_F(PgnReader, GameWithoutMovesLeavesTheNextGameWhole) {
    // A forfeit: the result alone. Its token must not be taken for the next game's start.
    EXPECT_EQ(read("[Result \"1-0\"]\n\n1-0\n\n[Result \"0-1\"]\n1. f3 e5 2. g4 Qh4# 0-1\n"), 0);
    EXPECT_EQ(readPgnGame(record, input), 16384);
    EXPECT_EQ(pliesOf(record), 4);
}

TEST_F(PgnReader, LineEndsByteOrderMarkAndNulBytes) {
    EXPECT_EQ(read("\xEF\xBB\xBF[Event \"x\"]\r\n[Result \"1-0\"]\r\n\r\n1. e4 e5\r\n2. Nf3 Nc6 1-0\r\n\r\n"), 2 * 16384);
    expectMoves({E2E4, E7E5, G1F3, B8C6});
    EXPECT_FALSE(pgnInputLeft(input));
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4\0 e5\0\0 2. Nf3 1-0"s), 2 * 16384);
    expectMoves({E2E4, E7E5, G1F3});
}

TEST_F(PgnReader, OverlongLinesAndWords) {
    const std::string longTag = "[Event \"" + std::string(100000, 'x') + "\"]\n";
    EXPECT_EQ(read(longTag + "[Result \"1-0\"]\n1. e4 e5 1-0"), 2 * 16384) << "the tag's tail is no movetext";
    expectMoves({E2E4, E7E5});
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 " + std::string(100000, 'y') + " 1-0"), 0);
    EXPECT_EQ(output, "move: yyyyyyyyyy, plyNo:2\n") << "a word ends after 10 characters";
}

TEST_F(PgnReader, LongGameKeepsTheFirst1023Plies) {
    // Knights out and back: 256 rounds of four plies, 1024 plies in all.
    std::string text = "[Result \"1/2-1/2\"]\n";
    for (int round = 0; round < 256; ++round) text += std::to_string(2 * round + 1) + ". Nf3 Nf6 Ng1 Ng8 ";
    EXPECT_EQ(read(text + "1/2-1/2"), 3 * 16384);
    ASSERT_EQ(pliesOf(record), 1023) << "ply 1024 is read but not played";
    EXPECT_EQ(record.moves[0], G1F3);
    EXPECT_EQ(record.moves[1021], quiet("g8", "f6"));
    EXPECT_EQ(record.moves[1022], quiet("f3", "g1"));
}

TEST_F(PgnReader, CapturesPromotionsAndCastlingAreRead) {
    EXPECT_EQ(read("[Result \"1-0\"]\n1. e4 d5 2. exd5 Nf6 3. Nf3 Nxd5 4. Bc4 e6 5. O-O Be7 1-0"), 2 * 16384);
    EXPECT_EQ(record.moves[2], capture("e4", "d5"));
    EXPECT_EQ(record.moves[5], capture("f6", "d5"));
    EXPECT_EQ(record.moves[8], makeMoveCode(sq("e1"), sq("g1"), KIND_CASTLE_WHITE_SHORT));
}
