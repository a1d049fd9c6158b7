// Knights, bishops, rooks, queens and the material imbalance, by hand from the tables.
#include <gtest/gtest.h>

#include "eval/imbalance.h"
#include "eval/pieces.h"
#include "eval_helpers.h"
#include "support/board_helpers.h"

namespace {

// A piece term's share of the score and of the tropism counter of its side.
struct PieceCase {
    const char* fen;
    void (*term)(EvalState&);
    Side side;
    int score;
    int tropism;
    const char* arithmetic;
};

constexpr const char* START = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

// Below 71 units the B tables apply; the start position (78) reads the A tables.
const PieceCase PIECE_CASES[] = {
    // Knights: 310 + table + pawns on the board.
    {"4k3/pppp4/8/8/3N4/8/8/4K3 w - -", addKnights<WHITE>, WHITE, 329, 1, "310 + 15 + 4 pawns; e8 at 4: +1"},
    {"4k3/8/8/4n3/8/8/8/4K3 w - -", addKnights<BLACK>, BLACK, -325, 1, "e5 reads d4: -(310 + 15)"},
    {START, addKnights<WHITE>, WHITE, 616, 0, "2 * (310 - 18 + 16)"},
    // Bishops: 315 + table - pawns; trapped -220 once; pair +32.
    {START, addBishops<BLACK>, BLACK, -609, 0, "c8 reads f1 -12, f8 reads c1 -9: -(287 + 290 + 32)"},
    {"4k3/B7/1p6/8/8/8/8/4K3 w - -", addBishops<WHITE>, WHITE, 84, 1, "315 - 10 - 1 - 220"},
    {"4k3/7B/6p1/8/8/8/8/4K3 w - -", addBishops<WHITE>, WHITE, 84, 2, "315 - 10 - 1 - 220"},
    {"4k3/B7/6p1/8/8/8/8/4K3 w - -", addBishops<WHITE>, WHITE, 304, 1, "a7 without b6: not trapped"},
    {"4k3/B6B/1p4p1/8/8/8/8/4K3 w - -", addBishops<WHITE>, WHITE, 418, 3, "2 * 303 - 220 once + pair 32"},
    {"4k3/8/8/8/8/6P1/7b/4K3 w - -", addBishops<BLACK>, BLACK, -84, 2, "h2 with g3: -(315 - 10 - 1) + 220"},
    // Rooks: 500 + table + file term + seventh rank.
    {"4k3/8/8/8/8/8/8/R3K3 w - -", addRooks<WHITE>, WHITE, 512, 0, "500 - 8 + open file 8 + 12"},
    {"4k3/p7/8/8/8/8/8/R3K3 w - -", addRooks<WHITE>, WHITE, 500, 0, "500 - 8 + half-open 8"},
    {"4k3/8/8/4P3/8/8/8/4RK2 w - -", addRooks<WHITE>, WHITE, 521, 0, "500 + 1 + behind passer e5 20"},
    {"4k3/3p4/8/4P3/8/8/8/4RK2 w - -", addRooks<WHITE>, WHITE, 501, 0, "e5 not passed (d7)"},
    {"k7/4R3/8/4P3/8/8/8/5K2 w - -", addRooks<WHITE>, WHITE, 524, 1, "500 + 12, in front of e5: 0, seventh 12"},
    {"4k3/8/4P3/4R3/8/4P3/8/4K3 w - -", addRooks<WHITE>, WHITE, 504, 2, "p = e3 (highest square), e5 not behind it"},
    {"4k3/8/4p3/8/4r3/4p3/8/4K3 w - -", addRooks<BLACK>, BLACK, -524, 2,
     "e4 reads d5 4; p = e3 (highest square), e4 < e3: -(504 + 20)"},
    {"6k1/RR6/8/8/8/8/8/4K3 w - -", addRooks<WHITE>, WHITE, 1116, 0, "507 + 509 + 2 * 20 + seventh 12 + 12 + 36"},
    {"8/RR5k/8/8/8/8/8/4K3 b - -", addRooks<WHITE>, WHITE, 1092, 0, "1056 + seventh 12 + 12 + 12 (king on rank 7)"},
    {"6k1/R7/8/8/8/8/8/4K3 w - -", addRooks<WHITE>, WHITE, 539, 0, "507 + 20 + 12 (one rook: no king bonus)"},
    {"4k3/8/8/8/8/8/rr6/6K1 w - -", addRooks<BLACK>, BLACK, -1116, 0, "-(507 + 509 + 40 + 12 + 12 + 36)"},
    // Queens: 950 + table.
    {"4k3/3Q4/8/8/8/8/8/4K3 b - -", addQueens<WHITE>, WHITE, 959, 9, "950 + 9; e8 at 1: +9"},
    {START, addQueens<BLACK>, BLACK, -959, 0, "d8 reads e1 of QUEEN_TABLE_A: -(950 + 9)"},
};

}  // namespace

TEST(PieceTerms, MaterialPlacementTropismAndOwnTerms) {
    for (const PieceCase& c : PIECE_CASES) {
        EvalState state = freshState(c.fen);
        c.term(state);
        EXPECT_EQ(state.score, c.score) << c.fen << "\n" << c.arithmetic;
        EXPECT_EQ(state.tropism[c.side], c.tropism) << c.fen;
        EXPECT_EQ(state.tropism[c.side ^ 1], 0) << c.fen;
    }
}

TEST(PieceTerms, BalancesCountMinorsAndMajors) {
    EvalState state = freshState(START);
    addKnights<WHITE>(state);
    addBishops<BLACK>(state);
    addBishops<BLACK>(state);
    addRooks<WHITE>(state);
    addQueens<BLACK>(state);
    EXPECT_EQ(state.minorBalance, 2 - 4);
    EXPECT_EQ(state.majorBalance, 2 - 1);
}

namespace {

struct ImbalanceCase {
    int minor;
    int major;
    int expected;
};

constexpr ImbalanceCase WITHOUT_QUEENS[] = {
    {3, -2, 130}, {2, -1, 100}, {1, -1, -60}, {1, 0, 100}, {-1, 0, -100}, {-1, 1, 60}, {-2, 1, -100},
    {-3, 2, -130}, {0, 0, 0}, {0, 1, 100}, {0, -1, -100}, {2, -2, 0}, {1, 3, 0}, {-1, -1, 0}, {2, 1, 0},
};
constexpr ImbalanceCase ONLY_WHITE_QUEEN[] = {{0, 0, 60}, {1, 0, 0}, {0, 1, 0}, {2, -1, 100}};
constexpr ImbalanceCase BOTH_QUEENS[] = {{0, 0, 0}, {-1, 0, -100}, {0, -1, -100}};

void expectImbalance(const char* fen, const ImbalanceCase* cases, std::size_t count) {
    setUpOrFail(fen);
    for (std::size_t i = 0; i < count; ++i)
        EXPECT_EQ(materialImbalance(cases[i].minor, cases[i].major), cases[i].expected)
            << fen << " minor " << cases[i].minor << " major " << cases[i].major;
}

}  // namespace

TEST(MaterialImbalance, TableByBalancesAndQueens) {
    expectImbalance("4k3/8/8/8/8/8/8/R3K3 w - -", WITHOUT_QUEENS, std::size(WITHOUT_QUEENS));
    expectImbalance("4k3/8/8/8/8/8/8/Q3K3 w - -", ONLY_WHITE_QUEEN, std::size(ONLY_WHITE_QUEEN));
    expectImbalance("q3k3/8/8/8/8/8/8/Q3K3 w - -", BOTH_QUEENS, std::size(BOTH_QUEENS));
    setUpOrFail("q3k3/8/8/8/8/8/8/4K3 w - -");
    EXPECT_EQ(materialImbalance(0, 0), -60);
}

TEST(MaterialImbalance, NeedsFiveUnitsOfPiecesOnOneSide) {
    EvalState state = freshState("4k3/p7/8/8/8/8/P7/3NK3 w - -");  // a knight: 3 units
    state.minorBalance = 1;
    addMaterialImbalance(state);
    EXPECT_EQ(state.score, 0);
    state = freshState("4k3/p7/8/8/8/8/P7/2BNK3 w - -");  // bishop and knight: 6 units
    state.minorBalance = 2;
    addMaterialImbalance(state);
    EXPECT_EQ(state.score, 100);
}
