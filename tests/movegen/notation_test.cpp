// Coordinate text and SAN reading.
#include <gtest/gtest.h>

#include "movegen/movegen_helpers.h"
#include "movegen/notation.h"
#include "support/board_helpers.h"

namespace {

Move squares(const char* from, const char* to, MoveKind kind) {
    return makeMoveCode((from[0] - 'a') + 8 * ('8' - from[1]), (to[0] - 'a') + 8 * ('8' - to[1]), kind);
}

}  // namespace

TEST(MoveToText, CastlingPromotionsAndPseudoMoves) {
    char buffer[6];
    EXPECT_EQ(moveToText(buffer, makeMoveCode(SQ_E1, SQ_G1, KIND_CASTLE_WHITE_SHORT)), buffer + 4);
    EXPECT_STREQ(buffer, "e1g1");
    EXPECT_EQ(moveText(makeMoveCode(SQ_E8, SQ_C8, KIND_CASTLE_BLACK_LONG)), "e8c8");
    EXPECT_EQ(moveToText(buffer, squares("b7", "a8", KIND_CAPTURE_PROMOTE_KNIGHT)), buffer + 5);
    EXPECT_STREQ(buffer, "b7a8n");
    EXPECT_EQ(moveText(squares("e7", "e8", KIND_PROMOTE_QUEEN)), "e7e8q");
    EXPECT_EQ(moveText(squares("a2", "a1", KIND_PROMOTE_ROOK)), "a2a1r");
    EXPECT_EQ(moveText(squares("g2", "h1", KIND_CAPTURE_PROMOTE_BISHOP)), "g2h1b");
    EXPECT_EQ(moveText(squares("h1", "a8", KIND_CAPTURE)), "h1a8");
    EXPECT_EQ(moveText(VERDICT_STALEMATE), "b8b8");  // kind 3 prints as the same square twice
}

TEST(PromotionKinds, LettersInEitherCase) {
    EXPECT_EQ(quietPromotionKind('Q'), KIND_PROMOTE_QUEEN << 12);
    EXPECT_EQ(quietPromotionKind('n'), KIND_PROMOTE_KNIGHT << 12);
    EXPECT_EQ(capturePromotionKind('r'), KIND_CAPTURE_PROMOTE_ROOK << 12);
    EXPECT_EQ(capturePromotionKind('B'), KIND_CAPTURE_PROMOTE_BISHOP << 12);
    EXPECT_EQ(quietPromotionKind('K'), 0);
    EXPECT_EQ(capturePromotionKind('x'), 0);
}

TEST(ParseSan, Castling) {
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    EXPECT_EQ(parseSan("O-O-O+"), makeMoveCode(SQ_E1, SQ_C1, KIND_CASTLE_WHITE_LONG));
    EXPECT_EQ(parseSan("0-0"), makeMoveCode(SQ_E1, SQ_G1, KIND_CASTLE_WHITE_SHORT));
    EXPECT_EQ(parseSan("e1g1"), makeMoveCode(SQ_E1, SQ_G1, KIND_CASTLE_WHITE_SHORT));
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w Kkq -");
    EXPECT_EQ(parseSan("O-O-O+"), 0);
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    EXPECT_EQ(parseSan("O-O"), makeMoveCode(SQ_E8, SQ_G8, KIND_CASTLE_BLACK_SHORT));
    EXPECT_EQ(parseSan("000"), makeMoveCode(SQ_E8, SQ_C8, KIND_CASTLE_BLACK_LONG));
}

TEST(ParseSan, PawnStepsAndCaptures) {
    setUpOrFail(START_FEN);
    EXPECT_EQ(parseSan("e4"), squares("e2", "e4", KIND_QUIET));  // no pawn on e3: two steps back
    EXPECT_EQ(parseSan("e3"), squares("e2", "e3", KIND_QUIET));
    EXPECT_EQ(parseSan("e2e4"), squares("e2", "e4", KIND_QUIET));
    setUpOrFail("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    EXPECT_EQ(parseSan("exd6"), squares("e5", "d6", KIND_EN_PASSANT));
    setUpOrFail("4k3/8/8/3p4/4P3/8/8/4K3 w - -");
    EXPECT_EQ(parseSan("exd5"), squares("e4", "d5", KIND_CAPTURE));
    setUpOrFail("4k3/8/8/8/4p3/8/3P4/4K3 b - -");
    EXPECT_EQ(parseSan("e3"), squares("e4", "e3", KIND_QUIET));
}

TEST(ParseSan, Promotions) {
    setUpOrFail("5n1k/4P3/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(parseSan("e8=Q"), squares("e7", "e8", KIND_PROMOTE_QUEEN));
    EXPECT_EQ(parseSan("exf8=N#"), squares("e7", "f8", KIND_CAPTURE_PROMOTE_KNIGHT));
    EXPECT_EQ(parseSan("e7e8q"), squares("e7", "e8", KIND_PROMOTE_QUEEN));
    EXPECT_EQ(parseSan("e7f8r"), squares("e7", "f8", KIND_CAPTURE_PROMOTE_ROOK));
    setUpOrFail("4k3/8/8/8/8/8/3p4/2R3K1 b - -");
    EXPECT_EQ(parseSan("dxc1=Q+"), squares("d2", "c1", KIND_CAPTURE_PROMOTE_QUEEN));
    EXPECT_EQ(parseSan("d1=B"), squares("d2", "d1", KIND_PROMOTE_BISHOP));
}

TEST(ParseSan, PieceMovesAndDisambiguation) {
    setUpOrFail("4k3/8/8/8/8/5N2/8/1N2K3 w - -");
    EXPECT_EQ(parseSan("Nbd2"), squares("b1", "d2", KIND_QUIET));
    EXPECT_EQ(parseSan("Nfd2"), squares("f3", "d2", KIND_QUIET));
    EXPECT_EQ(parseSan("Nd2"), 0);  // both knights may go there
    EXPECT_EQ(parseSan("Nc3"), squares("b1", "c3", KIND_QUIET));
    EXPECT_EQ(parseSan("Nb1c3"), squares("b1", "c3", KIND_QUIET));
    setUpOrFail(START_FEN);
    EXPECT_EQ(parseSan("Ng1f3"), squares("g1", "f3", KIND_QUIET));
    setUpOrFail("4k3/8/8/R7/8/8/8/R3K3 w - -");
    EXPECT_EQ(parseSan("R1a3"), squares("a1", "a3", KIND_QUIET));
    EXPECT_EQ(parseSan("R5a3"), squares("a5", "a3", KIND_QUIET));
    EXPECT_EQ(parseSan("Ra3"), 0);
    EXPECT_EQ(parseSan("Rd1"), squares("a1", "d1", KIND_QUIET));
    EXPECT_EQ(parseSan("Rxa8+"), squares("a5", "a8", KIND_QUIET));  // x and + are decoration
}

TEST(ParseSan, PinnedCandidateIsSkipped) {
    // Both knights reach c3, but the e4 rook pins the e2 knight to its king.
    setUpOrFail("4k3/8/8/8/4r3/8/4N3/1N2K3 w - -");
    EXPECT_EQ(parseSan("Nc3"), squares("b1", "c3", KIND_QUIET));
    const PositionSnapshot before = takeSnapshot();
    parseSan("Nc3");
    EXPECT_TRUE(takeSnapshot() == before);  // the trial moves were taken back
}

TEST(ParseSan, LoneCandidateIsNotTestedForLegality) {
    setUpOrFail("4k3/8/8/8/4r3/8/4N3/4K3 w - -");
    EXPECT_EQ(parseSan("Nc3"), squares("e2", "c3", KIND_QUIET));  // pinned, still answered
    EXPECT_EQ(parseSan("Kg1"), squares("e1", "g1", KIND_QUIET));  // two squares away
}

TEST(ParseSan, LengthLimitsAndUnreadableWords) {
    setUpOrFail(START_FEN);
    EXPECT_EQ(parseSan("e2-----e4"), squares("e2", "e4", KIND_QUIET));  // nine characters
    EXPECT_EQ(parseSan("e2------e4"), 0);  // cut to "e2------e" first
    EXPECT_EQ(parseSan("Pe4"), 0);
    EXPECT_EQ(parseSan("Nb1c3d"), 0);
    EXPECT_EQ(parseSan("e"), 0);
    EXPECT_EQ(parseSan(""), 0);
    EXPECT_EQ(parseSan("i9"), 0);
    EXPECT_EQ(parseSan("Nz3"), 0);
    EXPECT_EQ(parseSan("e1"), 0);  // no pawn can step there
}

TEST(ParseSquarePair, KindsFromTheBoard) {
    setUpOrFail("r3k2r/1P6/8/3pP3/8/8/8/R3K2R w KQkq d6");
    EXPECT_EQ(parseSquarePair("e1c1"), makeMoveCode(SQ_E1, SQ_C1, KIND_CASTLE_WHITE_LONG));
    EXPECT_EQ(parseSquarePair("e8g8"), makeMoveCode(SQ_E8, SQ_G8, KIND_CASTLE_BLACK_SHORT));
    EXPECT_EQ(parseSquarePair("e5d6"), squares("e5", "d6", KIND_EN_PASSANT));
    EXPECT_EQ(parseSquarePair("b7a8N"), squares("b7", "a8", KIND_CAPTURE_PROMOTE_KNIGHT));
    EXPECT_EQ(parseSquarePair("b7b8b"), squares("b7", "b8", KIND_PROMOTE_BISHOP));
    EXPECT_EQ(parseSquarePair("a1a8"), squares("a1", "a8", KIND_CAPTURE));
    EXPECT_EQ(parseSquarePair("a1a5"), squares("a1", "a5", KIND_QUIET));
    EXPECT_EQ(parseSquarePair("a1a9"), 0);
    setUpOrFail("4k3/8/8/8/8/8/8/R3K2R w - -");
    EXPECT_EQ(parseSquarePair("e1g1"), squares("e1", "g1", KIND_QUIET));  // no right, no castling
}
