// Exchange evaluation, with every expected score worked out by hand from the piece
// values, the exchange rules and the entries of the piece-square tables in force
// (selected by totalMaterial; no half turn for black pieces).
#include <gtest/gtest.h>

#include "movegen/movegen_helpers.h"
#include "movegen/see.h"
#include "support/board_helpers.h"

namespace {

Bitboard orthSliders() {
    const Bitboard* b = position.pieceBoards;
    return b[WHITE_ROOK] | b[BLACK_ROOK] | b[WHITE_QUEEN] | b[BLACK_QUEEN];
}
Bitboard diagSliders() {
    const Bitboard* b = position.pieceBoards;
    return b[WHITE_BISHOP] | b[BLACK_BISHOP] | b[WHITE_QUEEN] | b[BLACK_QUEEN];
}

int exchange(const char* fromTo) {
    const Move m = coordinateMove(fromTo);
    return staticExchange(position.board[moveFrom(m)], moveFrom(m), moveTo(m), orthSliders(), diagSliders());
}

}  // namespace

TEST(StaticExchange, UndefendedVictimGainsItsValueAndThePositionalTerms) {
    // Material 4: knight table B, pawn table D. Knight c3 (8) to d5 (15), pawn on d5 (30):
    // 100 - 9500 + (15 - 8) + 30.
    setUpOrFail("4k3/8/8/3p4/8/2N5/8/4K3 w - -");
    EXPECT_EQ(exchange("c3d5"), -9363);
    EXPECT_EQ(allMoves().front(), "c3d5 -9363 1");

    // Black reads the same entries, not turned: knight c6 (8) to d4 (15), pawn d4 (18).
    setUpOrFail("4k3/8/2n5/8/3P4/8/8/4K3 b - -");
    EXPECT_EQ(exchange("c6d4"), -9375);
}

TEST(StaticExchange, CaptureDefendedByAPawnEndsEarlyAsALoss) {
    // Material 11: queen table B (d1 1, d5 7). The pawn recaptures: g[1] = 950 - 100 = 850,
    // and 850 - 100 > 50 ends it: 100/2 - 850 - 30000 + 6.
    setUpOrFail("7k/8/4p3/3p4/8/8/8/3QK3 w - -");
    EXPECT_EQ(exchange("d1d5"), -30794);
}

TEST(StaticExchange, KingTakingADefendedPiece) {
    setUpOrFail("7k/8/8/8/8/2b5/3n4/4K3 w - -");
    EXPECT_EQ(exchange("e1d2"), -32767);
    EXPECT_TRUE(captureMoves().empty());
}

TEST(StaticExchange, PromotionStepToAnUnguardedSquare) {
    // Material 1: pawn table D (d7 104), queen table B (d8 4): 800 - 9500 + 4 - 104.
    setUpOrFail("8/3P3k/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(exchange("d7d8"), -8800);
    EXPECT_EQ(captureMoves().front(), "d7d8q -8800 4");
}

TEST(StaticExchange, RookBehindRookJoinsTheExchange) {
    // Material 16: rook table B (d2 3, d5 4), pawn table C (d5 28). Rxd5 Rxd5 Rxd5 wins
    // the pawn only because the d1 rook follows: 100 - 9500 + (4 - 3) + 28.
    setUpOrFail("3r2k1/8/8/3p4/8/8/3R4/3R2K1 w - -");
    EXPECT_EQ(exchange("d2d5"), -9371);
    // Without the rook behind, Rxd5 Rxd5 loses the rook for a pawn: g[0] = min(100, -400),
    // so (4 - 3) - 400 - 30000.
    setUpOrFail("3r2k1/8/8/3p4/8/8/3R4/6K1 w - -");
    EXPECT_EQ(exchange("d2d5"), -30399);
    // Material 21: a second black rook behind the first joins after the d7 rook has
    // captured, and Black has the last word: g = 100, 400, 100, 400 back-propagate to
    // g[0] = -400, so 1 - 400 - 30000.
    setUpOrFail("3r2k1/3r4/8/3p4/8/8/3R4/3R2K1 w - -");
    EXPECT_EQ(exchange("d2d5"), -30399);
}

TEST(StaticExchange, SideToMoveFarAheadEndsEarlyAsAWin) {
    // Material 22: rook and knight table B. Rxd5 Qxd5 Rxd5: g[2] = 950 - 190 = 760 and
    // 760 - 500 > 50, so White keeps g[0]: 310 - 9500 + (4 - 3) + 15 (knight on d5).
    setUpOrFail("3q2k1/8/8/3n4/8/8/3R4/3R2K1 w - -");
    EXPECT_EQ(exchange("d2d5"), -9174);
}

TEST(StaticExchange, EvenTradeOnAnEmptySquareLandsJustAboveQuietMoves) {
    // No victim, nothing attacks e4: the move scores -29985 plus its positional change
    // (queen table B: d3 3, e4 5).
    setUpOrFail("7k/8/8/8/8/3Q4/8/4K3 w - -");
    EXPECT_EQ(exchange("d3e4"), -29985 + 5 - 3);
}

TEST(StaticExchange, AQueensDiagonalsAreTriedOnlyWhenItsLinesHoldNoSlider) {
    // Qd1xd5: the black queen on d8 lies on the queen's file (already an attacker, not
    // reached from d1), so the straight test finds a slider and the diagonals are not
    // tried. Tried, they would take in the bishop on f3 behind d1, though the knight
    // on e4 blocks it from d5, and the exchange would look like a win.
    // Gains: 100, then Qxd5 by Black 950 - 100 = 850; White has nobody left:
    // g0 = min(100, -850) = -850, a loss: pos - 850 - 30000.
    // Material 9 + 9 + 3 + 3 + 1 = 25: queen table B (d1 1, d5 7): pos = -1 + 7 = 6.
    setUpOrFail("3q2k1/8/8/3p4/4n3/5B2/8/3Q2K1 w - -");
    EXPECT_EQ(exchange("d1d5"), 6 - 850 - 30000);
}
