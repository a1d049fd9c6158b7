// Sliding attack tables against a slow reference: rays walked square by square.
#include <gtest/gtest.h>

#include <random>

#include "board/tables.h"

namespace {

// Squares reached from s stepping (df, dr) until the edge or the first occupied square.
Bitboard rayWalk(Square s, int df, int dr, Bitboard occupied) {
    Bitboard result = 0;
    for (int f = fileOf(s) + df, r = rowOf(s) + dr; f >= 0 && f < 8 && r >= 0 && r < 8; f += df, r += dr) {
        result |= bitOf(makeSquare(f, r));
        if (occupied & bitOf(makeSquare(f, r))) break;
    }
    return result;
}

struct LineCase {
    const char* name;
    int df, dr;  // one direction of the line; the other is its opposite
    Bitboard (*lookup)(Square, Bitboard occupied);
};

const LineCase LINES[] = {
    {"rank", 1, 0, [](Square s, Bitboard occ) { return rankAttacks(s, occ); }},
    {"file", 0, 1, [](Square s, Bitboard occ) { return fileAttacks(s, rotate90(occ)); }},
    {"a1-h8 diagonal", 1, -1, [](Square s, Bitboard occ) { return diagA1H8Attacks(s, rotateA1H8(occ)); }},
    {"a8-h1 diagonal", 1, 1, [](Square s, Bitboard occ) { return diagH1A8Attacks(s, rotateH1A8(occ)); }},
};

}  // namespace

// Every occupancy of every line through every square, with random pieces off the line
// that must change nothing.
TEST(SlidingTables, EveryLookupEqualsARayWalk) {
    std::mt19937_64 random(7);
    for (const LineCase& line : LINES)
        for (Square s = 0; s < 64; ++s) {
            const Bitboard cells = rayWalk(s, line.df, line.dr, 0) | rayWalk(s, -line.df, -line.dr, 0);
            std::vector<Square> squares;
            for (Bitboard b = cells; b;) squares.push_back(popLowestSquare(b));
            for (unsigned pattern = 0; pattern < (1u << squares.size()); ++pattern) {
                Bitboard occ = (random() & random()) & ~cells;
                for (std::size_t i = 0; i < squares.size(); ++i)
                    if (pattern & (1u << i)) occ |= bitOf(squares[i]);
                const Bitboard expected = rayWalk(s, line.df, line.dr, occ) | rayWalk(s, -line.df, -line.dr, occ);
                ASSERT_EQ(line.lookup(s, occ | bitOf(s)), expected) << line.name << " square " << s << " occupancy " << occ;
            }
        }
}

// The bit scans and counts against a walk over the 64 squares, on sets of every size,
// and the king distance table against steps counted on the board.
TEST(BitLookups, ScansCountsAndDistancesEqualSlowReferences) {
    std::mt19937_64 random(11);
    for (int trial = 0; trial < 20000; ++trial) {
        Bitboard set = trial % 97 == 0 ? bitOf(trial % 64) : random();
        for (int thin = trial % 4; thin > 0; --thin) set &= random();
        std::vector<Square> squares;  // ascending: the last is the lowest bit
        for (Square s = 0; s < 64; ++s)
            if (set & bitOf(s)) squares.push_back(s);
        ASSERT_EQ(popCount(set), static_cast<int>(squares.size())) << set;
        ASSERT_TRUE(squares.empty() || lowestSquare(set) == squares.back()) << set;
    }
    for (Square a = 0; a < 64; ++a)
        for (Square b = 0; b < 64; ++b) {
            int steps = 0;  // a king walking from a toward b
            for (int f = fileOf(a), r = rowOf(a); f != fileOf(b) || r != rowOf(b); ++steps)
                f += (fileOf(b) > f) - (fileOf(b) < f), r += (rowOf(b) > r) - (rowOf(b) < r);
            ASSERT_EQ(kingDistance(a, b), steps) << a << " " << b;
        }
}
