// King placement, shelter, exposure and danger, each by hand from the tables.
#include <gtest/gtest.h>

#include "eval/kingsafety.h"
#include "eval_helpers.h"
#include "support/board_helpers.h"

TEST(KingPlacement, BothKingsReadTheTableUnturned) {
    setUpOrFail("rnkq1bnr/pppppppp/8/8/8/8/PPPPPPPP/RNKQ1BNR w - -");
    EXPECT_EQ(kingPlacementScore(), 2) << "KING_TABLE_A c1 -2 minus c8 -4 (a turned c8 would read -2)";
    setUpOrFail("k7/8/8/8/3K4/8/8/8 w - -");
    EXPECT_EQ(kingPlacementScore(), 35) << "KING_TABLE_D d4 9 minus a8 -26";
}

// Shelter needs more than 35 units; per pawn it is the base (11 with an enemy
// queen, else 5) + 1 on the short side, - 2 on the long side, and half of that
// once more for a pawn on the corner files.
constexpr TermCase SHELTER_CASES[] = {
    {"r2qk2r/pppppppp/8/8/8/8/5PPP/R2Q1RK1 w - -", 42, "3 * 12 + 6"},
    {"r3k2r/pppppppp/8/8/8/8/5PPP/R2Q1RK1 w - -", 21, "no black queen: 3 * 6 + 3"},
    {"r2qk2r/pppppppp/8/8/8/8/5P2/R2Q1RK1 w - -", 12, "f2 alone: 12, no g2/h2 pawn"},
    {"r2qk2r/pppppppp/8/8/8/8/5PPP/R2Q2KR w - -", 0, "rook on h1: the king has not castled"},
    {"r2qk2r/pppppppp/8/8/8/8/PPP5/1K1R3R w - -", 31, "long side: 3 * 9 + 4"},
    {"r4rk1/5ppp/8/8/8/8/PPPPPPPP/R2QK2R w - -", -42, "black mirror: -(3 * 12 + 6)"},
    {"r2qk3/ppppp3/8/8/8/8/5PPP/2RQ2K1 w - -", 42, "36 units: 3 * 12 + 6"},
    {"r2qk3/pppp4/8/8/8/8/5PPP/2RQ2K1 w - -", 0, "35 units: no shelter"},
};

TEST(KingShelter, CastledKingsBehindTheirPawns) {
    for (const TermCase& c : SHELTER_CASES) {
        setUpOrFail(c.fen);
        EXPECT_EQ(kingShelterScore(), c.expected) << c.fen << "\n" << c.arithmetic;
    }
}

struct ExposureCase {
    const char* fen;
    int white;
    int black;
    const char* arithmetic;
};

constexpr ExposureCase EXPOSURE_CASES[] = {
    {"r2qk3/ppppp3/8/8/8/8/5PPP/2RQ2K1 w - -", 4, 5,
     "white g1: g +1, h +1, f +1, queen +1; black e8: e +1, f no own +2, d +1 (3 < 4), queen +1"},
    {"r2qk3/pppp4/8/8/8/8/5PPP/2RQ2K1 w - -", 0, 0, "35 units: no exposure"},
    {"q3k2r/pp4pp/8/8/8/8/PP4PP/Q3K2R w - -", 15, 15, "e 2 + 2; f 3 + 2; d 3 + 2; queen 1"},
    {"rn2k1nr/3pp3/8/8/8/8/P3P3/RN2K1NR w - -", 5, 4,
     "white e1: f 2 + 1, then d 2 (3 < 4) = 5 (the a side first would give 6); black e8: f 2 + 1, d +1"},
    {"kr1q3r/pp6/8/8/8/8/6PP/R2Q2RK w - -", 3, 3, "corner kings: own file +1, one neighbour +1, queen +1"},
};

TEST(KingExposure, CountsOpenFilesAroundTheKing) {
    for (const ExposureCase& c : EXPOSURE_CASES) {
        setUpOrFail(c.fen);
        EXPECT_EQ(kingExposure<WHITE>(), c.white) << c.fen << "\n" << c.arithmetic;
        EXPECT_EQ(kingExposure<BLACK>(), c.black) << c.fen << "\n" << c.arithmetic;
    }
}

TEST(KingDanger, ExposureFactorTimesAttackWeight) {
    EvalState state = freshState("r2qk2r/pppppppp/8/8/8/8/5PPP/R2Q1RK1 w - -");  // 19 units of pieces each
    state.exposure[WHITE] = 9;   // factor 3
    state.tropism[BLACK] = 48;   // weight 165, the dip
    state.exposure[BLACK] = 0;   // factor 1
    state.tropism[WHITE] = 58;   // weight 200
    EXPECT_EQ(kingDangerScore(state), -3 * 165 + 200);
    state.tropism[BLACK] = 47;  // weight 172
    EXPECT_EQ(kingDangerScore(state), -3 * 172 + 200);
}

TEST(KingDanger, NeedsMoreThanThirteenUnitsOfAttackingPieces) {
    EvalState state = freshState("6k1/8/8/8/8/8/2b5/K2rr3 w - -");  // two rooks and a bishop: 13
    state.tropism[BLACK] = 7;
    EXPECT_EQ(kingDangerScore(state), 0);
    state = freshState("6k1/8/8/8/8/8/2q5/K2r4 w - -");  // queen and rook: 14
    state.tropism[BLACK] = 10;
    EXPECT_EQ(kingDangerScore(state), -40) << "14 units but no exposure (material 14): 1 * KING_ATTACK_WEIGHT[10]";
}
