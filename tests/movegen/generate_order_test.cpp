// The generators' exact output: order, scores and kinds, worked out by hand from the
// ordering rules for each position.
#include <gtest/gtest.h>

#include "movegen/movegen_helpers.h"
#include "support/board_helpers.h"

namespace {

EntryRows onlyKind(const EntryRows& rows, const std::string& kind) {
    EntryRows kept;
    for (const std::string& row : rows)
        if (row.substr(row.rfind(' ') + 1) == kind) kept.push_back(row);
    return kept;
}

}  // namespace

// Every set is walked from h1 toward a8, so higher squares come first.
TEST(GenerateAll, InitialPositionKnightsThenDoubleThenSingleSteps) {
    setUpOrFail(START_FEN);
    const EntryRows expected = {
        "g1h3 -30000 0", "g1f3 -30000 0", "b1c3 -30000 0", "b1a3 -30000 0",
        "h2h4 -30000 0", "g2g4 -30000 0", "f2f4 -30000 0", "e2e4 -30000 0",
        "d2d4 -30000 0", "c2c4 -30000 0", "b2b4 -30000 0", "a2a4 -30000 0",
        "h2h3 -30000 0", "g2g3 -30000 0", "f2f3 -30000 0", "e2e3 -30000 0",
        "d2d3 -30000 0", "c2c3 -30000 0", "b2b3 -30000 0", "a2a3 -30000 0",
    };
    EXPECT_EQ(allMoves(), expected);
}

TEST(GenerateAll, PromotionCapturesBeforeQuietPromotionsBeforeKingSteps) {
    setUpOrFail("r6k/1P6/8/8/8/8/8/4K3 w - -");
    const EntryRows expected = {
        "b7a8q -8901 8",  "b7a8n -29505 9", "b7a8r -29525 10", "b7a8b -29550 11",
        "b7b8q -9401 4",  "b7b8n -30005 5", "b7b8r -30025 6",  "b7b8b -30050 7",
        "e1f1 -30000 0",  "e1d1 -30000 0",  "e1f2 -30000 0",   "e1e2 -30000 0", "e1d2 -30000 0",
    };
    EXPECT_EQ(allMoves(), expected);
}

TEST(GenerateAll, EnPassantLeadsTheCapturesTowardTheAFile) {
    setUpOrFail("4k3/8/8/p2pP3/1P6/8/8/4K3 w - d6");
    const EntryRows expected = {
        "e5d6 -9500 2",   "b4a5 -9500 1",   "b4b5 -30000 0", "e5e6 -30000 0", "e1f1 -30000 0",
        "e1d1 -30000 0",  "e1f2 -30000 0",  "e1e2 -30000 0", "e1d2 -30000 0",
    };
    EXPECT_EQ(allMoves(), expected);
}

TEST(GenerateAll, BlackPawnsMoveDownTheBoard) {
    // Black's toward-a-file capture is square + 7; its en passant pawn is epSquare - 7.
    setUpOrFail("4k3/8/8/8/1pP1p3/8/8/4K3 b - c3");
    const EntryRows expected = {
        "b4c3 -9500 2", "e4e3 -30000 0", "b4b3 -30000 0",
        "e8f7 -30000 0", "e8e7 -30000 0", "e8d7 -30000 0", "e8f8 -30000 0", "e8d8 -30000 0",
    };
    EXPECT_EQ(allMoves(), expected);
}

TEST(GenerateAll, PieceOrderIsKnightsQueensRooksBishopsThenKingThenCastling) {
    setUpOrFail("7k/r6q/2r5/1r6/8/2N5/6B1/R3K2Q w - -");
    const EntryRows captures = {"c3b5 -9310 1", "h1h7 -9500 1", "a1a7 -9500 1", "g2c6 -9315 1"};
    EXPECT_EQ(onlyKind(allMoves(), "1"), captures);

    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    const EntryRows all = allMoves();
    ASSERT_EQ(all.size(), 26u);
    EXPECT_EQ(all[0], "h1h8 -9500 1");  // the h1 rook comes before the a1 rook
    EXPECT_EQ(all[9], "a1a8 -9500 1");
    EXPECT_EQ(all[19], "e1f1 -30000 0");
    EXPECT_EQ(all[24], "e1g1 -29000 13");  // short castling before long, after all king steps
    EXPECT_EQ(all[25], "e1c1 -29500 15");
}

TEST(GenerateAll, KingNeverStepsNextToTheOtherKing) {
    setUpOrFail("8/8/8/3k4/8/3K4/8/8 w - -");
    // c4, d4 and e4 touch the black king on d5.
    const EntryRows expected = {"d3e2 -30000 0", "d3d2 -30000 0", "d3c2 -30000 0", "d3e3 -30000 0",
                                "d3c3 -30000 0"};
    EXPECT_EQ(allMoves(), expected);
}

TEST(GenerateCaptures, PieceOrderIsKnightsBishopsRooksQueens) {
    setUpOrFail("7k/r6q/2r5/1r6/8/2N5/6B1/R3K2Q w - -");
    const EntryRows expected = {"c3b5 -9310 1", "g2c6 -9315 1", "a1a7 -9500 1", "h1h7 -9500 1"};
    EXPECT_EQ(captureMoves(), expected);
}

TEST(GenerateCaptures, DropsAnExchangeThatLoses) {
    // The queen takes a pawn the e6 pawn defends: it loses 850 and scores
    // 100/2 - 850 - 30000 + (7 - 1) from the queen table B.
    setUpOrFail("7k/8/4p3/3p4/8/8/8/3QK3 w - -");
    EXPECT_EQ(allMoves().front(), "d1d5 -30794 1");
    EXPECT_TRUE(captureMoves().empty());
}

TEST(GenerateCaptures, NothingToTakeLeavesTheListEmpty) {
    setUpOrFail(START_FEN);
    EXPECT_TRUE(captureMoves().empty());
}

TEST(GenerateEvasions, DoubleCheckGivesKingMovesOnly) {
    setUpOrFail("4k3/8/5N2/8/8/8/8/4R1K1 b - -");
    const EntryRows expected = {"e8f7 -30000 0", "e8e7 -30000 0", "e8d7 -30000 0", "e8f8 -30000 0",
                                "e8d8 -30000 0"};
    EXPECT_EQ(evasionMoves(), expected);
}

TEST(GenerateEvasions, AdjacentQueenIsTakenButNeverBlocked) {
    // The king's capture of the defended queen scores -32767 from the exchange evaluator.
    setUpOrFail("2n1k3/4Q3/3P4/8/8/8/8/4K3 b - -");
    const EntryRows expected = {"c8e7 -8860 1",  "e8e7 -32767 1", "e8f7 -30000 0",
                                "e8d7 -30000 0", "e8f8 -30000 0", "e8d8 -30000 0"};
    EXPECT_EQ(evasionMoves(), expected);
}

TEST(GenerateEvasions, RankCheckIsBlockedByEachPieceTypeAndByPawnSteps) {
    setUpOrFail("7k/8/8/8/K6r/3P4/2P1NP2/1R5Q w - -");
    const EntryRows expected = {
        "e2f4 -30310 0", "e2d4 -30310 0", "b1b4 -30500 0", "h1h4 -9950 1",  "h1e4 -30950 0", "f2f4 -30000 0",
        "c2c4 -30000 0", "d3d4 -30000 0", "a4b3 -30000 0", "a4a3 -30000 0", "a4b5 -30000 0", "a4a5 -30000 0",
    };
    EXPECT_EQ(evasionMoves(), expected);
}

TEST(GenerateEvasions, DiagonalCheckBlocksOnlyBetweenBishopAndKing) {
    // The e8 rook lies on the king's file behind the e2 pawn: the orthogonal lines are
    // computed and then cleared, which marks the check as diagonal.
    setUpOrFail("4r2k/8/8/8/1b6/8/2P1P3/1N2K3 w - -");
    const EntryRows expected = {"b1d2 -30310 0", "b1c3 -30310 0", "c2c3 -30000 0",
                                "e1f1 -30000 0", "e1d1 -30000 0", "e1f2 -30000 0"};
    EXPECT_EQ(evasionMoves(), expected);
}

TEST(GenerateEvasions, EnPassantTakesTheCheckingPawnAFileSideFirst) {
    // d7-d5 checks the e4 king; both the c5 and the e5 pawn may take en passant.
    setUpOrFail("4k3/8/8/2PpP3/4K3/8/8/8 w - d6");
    const EntryRows evasions = evasionMoves();
    ASSERT_GE(evasions.size(), 2u);
    EXPECT_EQ(evasions[0], "c5d6 -9500 2");
    EXPECT_EQ(evasions[1], "e5d6 -9500 2");
}

TEST(GenerateEvasions, PawnTakesCheckerWithPromotion) {
    setUpOrFail("1r2k3/P7/8/8/8/8/8/1K6 w - -");
    const EntryRows expected = {
        "a7b8q -8901 8", "a7b8n -29505 9", "a7b8r -29525 10", "a7b8b -29550 11",
        "b1c1 -30000 0", "b1a1 -30000 0",  "b1c2 -30000 0",   "b1a2 -30000 0",  // b2 is on the check line
    };
    EXPECT_EQ(evasionMoves(), expected);
}
