// Check information, the legality test after a move (castling included) and the
// pseudo-legality test of the SAN resolver.
#include <gtest/gtest.h>

#include "movegen/check.h"
#include "support/board_helpers.h"

namespace {

Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* n : names) b |= bitOf((n[0] - 'a') + 8 * ('8' - n[1]));
    return b;
}

// Makes the move, asks the legality test for the mover, and takes the move back.
bool leavesAttacked(const char* word) {
    const Move m = coordinateMove(word);
    const Side mover = position.sideToMove;
    saveUndoInfo(testUndo[0]);
    makeMove(m, testUndo[0]);
    const bool attacked = leavesKingAttacked(m, mover);
    unmakeMove(m, testUndo[0]);
    return attacked;
}

}  // namespace

TEST(CheckInfo, NoCheck) {
    setUpOrFail(START_FEN);
    CheckInfo check;
    computeCheckInfo(check);
    EXPECT_EQ(check.checkers, 0u);
}

TEST(CheckInfo, DoubleCheckByKnightAndBishopHasNoOrthogonalLines) {
    // Bishop b5 and knight d6 both attack the e8 king.
    setUpOrFail("4k3/8/3N4/1B6/8/8/8/4K3 b - -");
    CheckInfo check;
    check.kingOrthLines = ~Bitboard{0};  // stale value from an earlier use
    computeCheckInfo(check);
    EXPECT_EQ(check.checkers, squares({"b5", "d6"}));
    EXPECT_EQ(check.kingOrthLines, 0u);
    EXPECT_EQ(check.kingDiagLines, squares({"d7", "c6", "b5", "f7", "g6", "h5"}));
}

TEST(CheckInfo, RookCheckKeepsTheLinesThroughTheKing) {
    // The rook on e4 checks along the file; the bishop on a4 does not reach e8.
    setUpOrFail("4k3/8/8/8/b3R3/8/8/4K3 b - -");
    CheckInfo check;
    computeCheckInfo(check);
    EXPECT_EQ(check.checkers, squares({"e4"}));
    EXPECT_EQ(check.kingOrthLines, squares({"a8", "b8", "c8", "d8", "f8", "g8", "h8", "e7", "e6", "e5", "e4"}));
}

TEST(CheckInfo, PawnAndKnightChecks) {
    CheckInfo check;
    setUpOrFail("4k3/3P4/8/8/8/8/8/4K3 b - -");
    computeCheckInfo(check);
    EXPECT_EQ(check.checkers, squares({"d7"}));
    setUpOrFail("4k3/8/8/8/8/8/2n5/4K3 w - -");
    computeCheckInfo(check);
    EXPECT_EQ(check.checkers, squares({"c2"}));
}

TEST(LeavesKingAttacked, PinnedPieceAndKingMoves) {
    setUpOrFail("4k3/4r3/8/8/8/8/4N3/4K3 w - -");  // the knight is pinned on the e-file
    EXPECT_TRUE(leavesAttacked("e2c3"));
    EXPECT_FALSE(leavesAttacked("e1d1"));
    EXPECT_FALSE(leavesAttacked("e1f1"));
    setUpOrFail("4k3/8/8/8/8/8/3p4/4K3 w - -");  // the d2 pawn checks and guards c1
    EXPECT_FALSE(leavesAttacked("e1f2"));
    EXPECT_FALSE(leavesAttacked("e1d2"));
    setUpOrFail("4k3/8/8/8/8/8/8/2n1K3 w - -");  // the c1 knight guards d3 and e2
    EXPECT_TRUE(leavesAttacked("e1e2"));
    EXPECT_FALSE(leavesAttacked("e1f2"));
    setUpOrFail("4k3/8/8/8/8/5b2/8/4K3 w - -");
    EXPECT_TRUE(leavesAttacked("e1d1"));  // on the bishop's diagonal
    EXPECT_FALSE(leavesAttacked("e1f1"));
}

TEST(LeavesKingAttacked, CastlingThroughAnAttackedSquare) {
    // f1 is attacked by the f8 rook: short castling is illegal.
    setUpOrFail("k4r2/8/8/8/8/8/8/4K2R w K -");
    EXPECT_TRUE(leavesAttacked("e1g1"));
    // b1 may be attacked for long castling.
    setUpOrFail("1r5k/8/8/8/8/8/8/R3K3 w Q -");
    EXPECT_FALSE(leavesAttacked("e1c1"));
    // d1 may not; nor may the king start in check.
    setUpOrFail("3r3k/8/8/8/8/8/8/R3K3 w Q -");
    EXPECT_TRUE(leavesAttacked("e1c1"));
    setUpOrFail("1k2r3/8/8/8/8/8/8/R3K2R w KQ -");
    EXPECT_TRUE(leavesAttacked("e1c1"));
    EXPECT_TRUE(leavesAttacked("e1g1"));
}

TEST(LeavesKingAttacked, CastlingNextToTheOtherKing) {
    // No black piece attacks e1, f1 or g1, but the king on g2 touches f1, g1 and h1.
    setUpOrFail("8/8/8/8/8/8/6k1/4K2R w K -");
    EXPECT_TRUE(leavesAttacked("e1g1"));
    setUpOrFail("8/8/8/8/8/8/1k6/R3K3 w Q -");  // b2 touches c1
    EXPECT_TRUE(leavesAttacked("e1c1"));
    setUpOrFail("8/8/8/8/8/8/8/k3K2R w K -");
    EXPECT_FALSE(leavesAttacked("e1g1"));
}

TEST(LeavesKingAttacked, BlackCastlingMirrorsWhite) {
    setUpOrFail("r3k2r/8/8/8/8/8/8/1K3R2 b kq -");  // f8 attacked
    EXPECT_TRUE(leavesAttacked("e8g8"));
    EXPECT_FALSE(leavesAttacked("e8c8"));
    setUpOrFail("r3k2r/8/8/8/8/8/8/1R4K1 b kq -");  // only b8 attacked
    EXPECT_FALSE(leavesAttacked("e8c8"));
    setUpOrFail("r3k2r/1K6/8/8/8/8/8/8 b kq -");  // the white king touches c8
    EXPECT_TRUE(leavesAttacked("e8c8"));
    EXPECT_FALSE(leavesAttacked("e8g8"));
}

TEST(IsPseudoLegal, PawnSteps) {
    setUpOrFail(START_FEN);
    EXPECT_TRUE(isPseudoLegal(coordinateMove("e2e4")));
    EXPECT_TRUE(isPseudoLegal(coordinateMove("e2e3")));
    EXPECT_FALSE(isPseudoLegal(coordinateMove("e2e5")));
    EXPECT_FALSE(isPseudoLegal(coordinateMove("e7e5")));  // not the side to move
    setUpOrFail("4k3/8/8/8/8/4n3/4P3/4K3 w - -");
    EXPECT_FALSE(isPseudoLegal(coordinateMove("e2e4")));  // e3 is blocked
    setUpOrFail("4k3/8/8/8/4n3/8/4P3/4K3 w - -");
    EXPECT_FALSE(isPseudoLegal(coordinateMove("e2e4")));  // e4 is occupied
    EXPECT_TRUE(isPseudoLegal(coordinateMove("e2e3")));
}

TEST(IsPseudoLegal, EmptyFromSquareAndCastlingAreNeverPseudoLegal) {
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(SQ_E1 - 8, SQ_E1 - 16, KIND_QUIET)));
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(SQ_E1, SQ_G1, KIND_CASTLE_WHITE_SHORT)));
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(SQ_E1, SQ_C1, KIND_CASTLE_WHITE_LONG)));
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R b KQkq -");
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(SQ_E8 + 8, SQ_E8 + 16, KIND_QUIET)));
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(SQ_E8, SQ_G8, KIND_CASTLE_BLACK_SHORT)));
}

TEST(IsPseudoLegal, PiecesNeedTheRightKindAndAClearPath) {
    setUpOrFail("4k3/8/8/3p4/8/8/8/R2QK2N w - -");
    EXPECT_TRUE(isPseudoLegal(coordinateMove("d1d5")));                      // capture
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(59, 27, KIND_QUIET)));          // d5 is not empty
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(59, 19, KIND_QUIET)));          // d6 is behind the pawn
    EXPECT_TRUE(isPseudoLegal(coordinateMove("a1a8")));
    EXPECT_FALSE(isPseudoLegal(coordinateMove("a1e1")));                     // own king on e1
    EXPECT_TRUE(isPseudoLegal(coordinateMove("h1g3")));
    EXPECT_FALSE(isPseudoLegal(coordinateMove("h1h3")));
    EXPECT_TRUE(isPseudoLegal(coordinateMove("e1e2")));
    EXPECT_FALSE(isPseudoLegal(coordinateMove("e1e3")));
}

TEST(IsPseudoLegal, PawnCapturesNeverWrapRoundTheBoardEdge) {
    // h5 lies at a3 + 9 in square numbers, but no pawn on a3 can reach it.
    setUpOrFail("4k3/8/8/7p/8/P7/8/4K3 w - -");
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(40, 31, KIND_CAPTURE)));
    // En passant needs the capturing pawn beside the passed square.
    setUpOrFail("4k3/8/8/3pP3/8/8/P7/4K3 w - d6");
    EXPECT_TRUE(isPseudoLegal(coordinateMove("e5d6")));
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(48, 19, KIND_EN_PASSANT)));
}

TEST(IsPseudoLegal, PromotionsOnlyOntoTheLastRank) {
    setUpOrFail("1r2k3/P7/8/8/8/8/4P3/4K3 w - -");
    EXPECT_TRUE(isPseudoLegal(coordinateMove("a7a8q")));
    EXPECT_TRUE(isPseudoLegal(coordinateMove("a7b8n")));
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(8, 0, KIND_QUIET)));   // a step onto a8 must promote
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(8, 1, KIND_CAPTURE)));
    EXPECT_FALSE(isPseudoLegal(makeMoveCode(52, 44, KIND_PROMOTE_QUEEN)));
}
