// Attack tables, rotations and masks against slow geometric references.
#include <gtest/gtest.h>

#include <random>

#include "board/tables.h"

namespace {

Bitboard squares(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* n : names) b |= bitOf((n[0] - 'a') + 8 * ('8' - n[1]));
    return b;
}

Square sq(const char* n) { return (n[0] - 'a') + 8 * ('8' - n[1]); }

// Squares reached from s stepping (df, dr) until the edge or the first occupied square.
Bitboard rayWalk(Square s, int df, int dr, Bitboard occupied) {
    Bitboard result = 0;
    for (int f = fileOf(s) + df, r = rowOf(s) + dr; f >= 0 && f < 8 && r >= 0 && r < 8; f += df, r += dr) {
        result |= bitOf(makeSquare(f, r));
        if (occupied & bitOf(makeSquare(f, r))) break;
    }
    return result;
}

// Every subset of the squares of a line, as full-board occupancies.
std::vector<Bitboard> occupanciesOfLine(Bitboard line) {
    std::vector<Square> cells;
    for (Bitboard b = line; b;) cells.push_back(popLowestSquare(b));
    std::vector<Bitboard> result;
    for (unsigned pattern = 0; pattern < (1u << cells.size()); ++pattern) {
        Bitboard occ = 0;
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (pattern & (1u << i)) occ |= bitOf(cells[i]);
        result.push_back(occ);
    }
    return result;
}

struct LineCase {
    const char* name;
    int df1, dr1, df2, dr2;  // the two directions of the line
    Bitboard (*lookup)(Square, Bitboard occupied);
};

Bitboard lookUpRank(Square s, Bitboard occ) { return rankAttacks(s, occ); }
Bitboard lookUpFile(Square s, Bitboard occ) { return fileAttacks(s, rotate90(occ)); }
Bitboard lookUpA1H8(Square s, Bitboard occ) { return diagA1H8Attacks(s, rotateA1H8(occ)); }
Bitboard lookUpH1A8(Square s, Bitboard occ) { return diagH1A8Attacks(s, rotateH1A8(occ)); }

const LineCase LINES[] = {
    {"rank", 1, 0, -1, 0, lookUpRank},
    {"file", 0, 1, 0, -1, lookUpFile},
    {"a1-h8 diagonal", 1, -1, -1, 1, lookUpA1H8},
    {"a8-h1 diagonal", 1, 1, -1, -1, lookUpH1A8},
};

}  // namespace

TEST(SlidingTables, EveryLookupEqualsARayWalkForEveryOccupancyOfItsLine) {
    for (const LineCase& line : LINES)
        for (Square s = 0; s < 64; ++s) {
            const Bitboard cells = rayWalk(s, line.df1, line.dr1, 0) | rayWalk(s, line.df2, line.dr2, 0) | bitOf(s);
            for (Bitboard occ : occupanciesOfLine(cells)) {
                const Bitboard expected = rayWalk(s, line.df1, line.dr1, occ) | rayWalk(s, line.df2, line.dr2, occ);
                ASSERT_EQ(line.lookup(s, occ), expected) << line.name << " square " << s << " occupancy " << occ;
            }
        }
}

TEST(SlidingTables, PiecesOffTheLineDoNotChangeTheLookup) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 2000; ++i) {
        const Bitboard occ = random() & random();
        const Square s = static_cast<Square>(random() % 64);
        for (const LineCase& line : LINES) {
            const Bitboard expected = rayWalk(s, line.df1, line.dr1, occ) | rayWalk(s, line.df2, line.dr2, occ);
            ASSERT_EQ(line.lookup(s, occ), expected) << line.name << " square " << s;
        }
    }
}

TEST(SlidingTables, WorkedExamples) {
    EXPECT_EQ(RANK_ATTACKS[sq("a8")][0x40], squares({"b8"}));  // only b8 set in the index
    EXPECT_EQ(RANK_ATTACKS[sq("a8")][0], squares({"b8", "c8", "d8", "e8", "f8", "g8", "h8"}));
    const Bitboard occ = squares({"a1", "a4", "d1"});
    EXPECT_EQ(rankAttacks(sq("a1"), occ) | fileAttacks(sq("a1"), rotate90(occ)),
              squares({"a2", "a3", "a4", "b1", "c1", "d1"}));
    for (unsigned index = 0; index < 256; ++index) {
        EXPECT_EQ(DIAG_A1H8_ATTACKS[sq("a8")][index], 0u);
        EXPECT_EQ(DIAG_A1H8_ATTACKS[sq("h1")][index], 0u);
    }
    EXPECT_EQ(popCount(BISHOP_RAYS[sq("e4")]), 13);
    EXPECT_EQ(BISHOP_RAYS[sq("e4")], rayWalk(sq("e4"), 1, 1, 0) | rayWalk(sq("e4"), -1, -1, 0) |
                                         rayWalk(sq("e4"), 1, -1, 0) | rayWalk(sq("e4"), -1, 1, 0));
    EXPECT_EQ(QUEEN_RAYS[sq("d4")], BISHOP_RAYS[sq("d4")] | ROOK_RAYS[sq("d4")]);
    EXPECT_EQ(popCount(ROOK_RAYS[sq("h8")]), 14);
}

TEST(SlidingTables, DiagonalShiftsFollowTheirDiagonals) {
    const int a1h8[15] = {63, 61, 58, 54, 49, 43, 36, 28, 21, 15, 10, 6, 3, 1, 0};
    const int h1a8[15] = {0, 1, 3, 6, 10, 15, 21, 28, 36, 43, 49, 54, 58, 61, 63};
    for (Square s = 0; s < 64; ++s) {
        EXPECT_EQ(DIAG_A1H8_SHIFT[s], a1h8[rowOf(s) + fileOf(s)]) << s;
        EXPECT_EQ(DIAG_H1A8_SHIFT[s], h1a8[fileOf(s) - rowOf(s) + 7]) << s;
    }
}

TEST(StepTables, CountsOverTheBoardMatchChessGeometry) {
    int king = 0, knight = 0, whitePawn = 0;
    for (Square s = 0; s < 64; ++s) {
        king += popCount(KING_ATTACKS[s]);
        knight += popCount(KNIGHT_ATTACKS[s]);
        whitePawn += popCount(PAWN_ATTACKS[WHITE][s]);
    }
    EXPECT_EQ(king, 420);    // 4 corners x3 + 24 edges x5 + 36 inner x8
    EXPECT_EQ(knight, 336);  // the well-known total of knight moves on an empty board
    EXPECT_EQ(whitePawn, 98);  // 7 rows x (2 edge files x1 + 6 x2)
    EXPECT_EQ(PAWN_ATTACKS[WHITE][sq("a2")], squares({"b3"}));
    EXPECT_EQ(PAWN_ATTACKS[BLACK][sq("h7")], squares({"g6"}));
    EXPECT_EQ(PAWN_ATTACKS[WHITE][sq("e8")], 0u);
    EXPECT_EQ(PAWN_ATTACKS[BLACK][sq("e1")], 0u);
    EXPECT_EQ(KNIGHT_ATTACKS[sq("a8")], squares({"b6", "c7"}));
}

TEST(Masks, PawnStructureMasks) {
    EXPECT_EQ(ADJACENT_FILES[sq("a5")], fileMask(1));
    EXPECT_EQ(ADJACENT_FILES[sq("h2")], fileMask(6));
    EXPECT_EQ(popCount(PASSED_MASK[WHITE][sq("e2")]), 18);
    EXPECT_TRUE(PASSED_MASK[WHITE][sq("e2")] & squares({"d3"}));
    EXPECT_TRUE(PASSED_MASK[WHITE][sq("e2")] & squares({"f8"}));
    EXPECT_FALSE(PASSED_MASK[WHITE][sq("e2")] & squares({"e2", "d2", "c8"}));
    EXPECT_EQ(PASSED_MASK[WHITE][sq("c8")], 0u);
    EXPECT_EQ(PASSED_MASK[BLACK][sq("c1")], 0u);
    EXPECT_EQ(FRONT_SPAN[BLACK][sq("d6")], squares({"d5", "d4", "d3", "d2", "d1"}));
    EXPECT_EQ(FILE_EXCEPT[sq("g3")], fileMask(6) & ~squares({"g3"}));
}

TEST(Rotations, KnownImagesAndInverses) {
    EXPECT_EQ(rotate90(fileMask(0)), 0xFFu);  // the a-file becomes bits 0..7
    Bitboard rank8Image = 0;
    for (int f = 0; f < 8; ++f) rank8Image |= Bitboard{1} << (8 * f + 7);
    EXPECT_EQ(rotate90(RANK_8), rank8Image);
    // Each rotation is a permutation of the 64 squares.
    Bitboard all90 = 0, allA1H8 = 0, allH1A8 = 0;
    for (Square s = 0; s < 64; ++s) all90 |= SQUARE_BIT_90[s], allA1H8 |= SQUARE_BIT_A1H8[s], allH1A8 |= SQUARE_BIT_H1A8[s];
    EXPECT_EQ(all90, ~Bitboard{0});
    EXPECT_EQ(allA1H8, ~Bitboard{0});
    EXPECT_EQ(allH1A8, ~Bitboard{0});
    EXPECT_EQ(SQUARE_BIT_A1H8[sq("a8")], bitOf(0));   // diagonal d = 0 comes first
    EXPECT_EQ(SQUARE_BIT_A1H8[sq("h1")], bitOf(63));  // d = 14 comes last
    EXPECT_EQ(SQUARE_BIT_H1A8[sq("h8")], bitOf(0));
    EXPECT_EQ(SQUARE_BIT_H1A8[sq("a1")], bitOf(63));
}

TEST(EnPassantToggles, FlipTargetAndCapturedPawn) {
    EXPECT_EQ(EP_TOGGLE_90[sq("d6")], SQUARE_BIT_90[sq("d6")] | SQUARE_BIT_90[sq("d5")]);
    EXPECT_EQ(EP_TOGGLE_A1H8[sq("e3")], SQUARE_BIT_A1H8[sq("e3")] | SQUARE_BIT_A1H8[sq("e4")]);
    EXPECT_EQ(EP_TOGGLE_H1A8[sq("a3")], SQUARE_BIT_H1A8[sq("a3")] | SQUARE_BIT_H1A8[sq("a4")]);
    EXPECT_EQ(EP_TOGGLE_90[sq("e4")], 0u);
}

TEST(LowestSquare, ExamplesAndAgreementWithTheHighestBitNumber) {
    EXPECT_EQ(lowestSquare(bitOf(0) | bitOf(63)), 63);
    EXPECT_EQ(lowestSquare(bitOf(0)), 0);
    for (Square s = 0; s < 64; ++s) EXPECT_EQ(lowestSquare(bitOf(s)), s);
    std::mt19937_64 random(11);
    for (int i = 0; i < 10000; ++i) {
        const Bitboard b = random() >> (random() % 64) | 1ull << (random() % 64);
        Square highest = 0;
        for (Square s = 0; s < 64; ++s)
            if (b & bitOf(s)) highest = s;
        ASSERT_EQ(lowestSquare(b), highest) << b;
    }
    // Walking a set visits h1 toward a8.
    Bitboard set = squares({"a8", "e4", "h1"});
    EXPECT_EQ(popLowestSquare(set), sq("h1"));
    EXPECT_EQ(popLowestSquare(set), sq("e4"));
    EXPECT_EQ(popLowestSquare(set), sq("a8"));
}
