// The piece-square tables in force at each amount of material, the entries
// that look irregular but are part of the tuning, and the king-danger tables.
#include <gtest/gtest.h>

#include "eval/evalconst.h"
#include "board/pst.h"

namespace {

struct BandCase {
    PstKind kind;
    Square square;
    int material;
    int expected;  // the printed entry of the table that band selects
};

// One square per kind whose entries differ between the tables, read at both ends of every band.
constexpr Square E1 = 60, D4 = 35, H8 = 7, A1 = 56, D1 = 59;
constexpr BandCase BAND_CASES[] = {
    // King e1: A -6, B -3, C -2, D -9.
    {PST_KING, E1, 127, -6}, {PST_KING, E1, 71, -6}, {PST_KING, E1, 70, -3}, {PST_KING, E1, 47, -3},
    {PST_KING, E1, 46, -2}, {PST_KING, E1, 15, -2}, {PST_KING, E1, 14, -9}, {PST_KING, E1, 0, -9},
    // Pawn d4: A 12, B 14, C 20, D 18.
    {PST_PAWN, D4, 71, 12}, {PST_PAWN, D4, 70, 14}, {PST_PAWN, D4, 63, 14}, {PST_PAWN, D4, 62, 20},
    {PST_PAWN, D4, 15, 20}, {PST_PAWN, D4, 14, 18}, {PST_PAWN, D4, 0, 18},
    // Pieces switch once, between 71 and 70: knight d4 17/15, bishop h8 -27/-15, rook a1 -10/-8, queen d1 9/1.
    {PST_KNIGHT, D4, 71, 17}, {PST_KNIGHT, D4, 70, 15}, {PST_KNIGHT, D4, 0, 15},
    {PST_BISHOP, H8, 71, -27}, {PST_BISHOP, H8, 70, -15}, {PST_ROOK, A1, 71, -10}, {PST_ROOK, A1, 70, -8},
    {PST_QUEEN, D1, 127, 9}, {PST_QUEEN, D1, 70, 1}, {PST_QUEEN, D1, 0, 1},
};

}  // namespace

TEST(PieceSquareTables, EachMaterialBandSelectsItsTables) {
    for (const BandCase& c : BAND_CASES)
        EXPECT_EQ((*pstByMaterial[c.kind][c.material])[c.square], c.expected)
            << "kind " << c.kind << " square " << c.square << " material " << c.material;
}

TEST(PieceSquareTables, IrregularEntriesStayAsTuned) {
    const PieceSquareTable& pawnA = *pstByMaterial[PST_PAWN][78];
    const PieceSquareTable& pawnD = *pstByMaterial[PST_PAWN][0];
    const PieceSquareTable& bishopA = *pstByMaterial[PST_BISHOP][78];
    const PieceSquareTable& bishopB = *pstByMaterial[PST_BISHOP][0];
    EXPECT_EQ(pawnA[40 + 5], -1);  // rank 3: 0, -1, 1, 2, 2, -1, -1, 0
    EXPECT_EQ(pawnA[40 + 6], -1);
    EXPECT_EQ(pawnD[24 + 4], 28);  // rank 5: 18, 24, 28, 30, 28, 24, 30, 18
    EXPECT_EQ(pawnD[24 + 6], 30);
    EXPECT_EQ(bishopB[16 + 5], 7);   // f6 is 7 where c6, d6, e6 and f3 are 8
    EXPECT_EQ(bishopA[2], -14);      // c8 and f1 differ: the table is not left-right symmetric
    EXPECT_EQ(bishopA[63 - 2], -12);
    EXPECT_EQ(bishopA[7], -27);
    EXPECT_EQ(bishopA[63], 0);
}

TEST(KingDangerTables, AttackWeightKeepsItsDipAndCap) {
    EXPECT_EQ(KING_ATTACK_WEIGHT[0], 0);
    EXPECT_EQ(KING_ATTACK_WEIGHT[3], 8);
    EXPECT_EQ(KING_ATTACK_WEIGHT[23], 110);
    EXPECT_EQ(KING_ATTACK_WEIGHT[47], 172);
    EXPECT_EQ(KING_ATTACK_WEIGHT[48], 165);  // the dip after 47
    EXPECT_EQ(KING_ATTACK_WEIGHT[54], 190);
    EXPECT_EQ(KING_ATTACK_WEIGHT[57], 197);
    EXPECT_EQ(KING_ATTACK_WEIGHT[58], 200);
    EXPECT_EQ(KING_ATTACK_WEIGHT[127], 200);
    EXPECT_EQ(SHELTER_FACTOR[3], 1);
    EXPECT_EQ(SHELTER_FACTOR[4], 2);
    EXPECT_EQ(SHELTER_FACTOR[11], 3);
    EXPECT_EQ(SHELTER_FACTOR[15], 4);
}
