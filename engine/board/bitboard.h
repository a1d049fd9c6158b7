// Bitboard primitives: square s is bit 63 - s, so a8 is the top bit and each
// rank is one byte with its a-file square at the byte's high bit.
#pragma once

#include <bit>

#include "board/types.h"

inline constexpr Bitboard bitOf(Square s) { return Bitboard{1} << (63 - s); }

// Square of the lowest set bit of a non-empty set: repeated use walks h1 toward a8.
// One bit-scan instruction.
inline constexpr Square lowestSquare(Bitboard b) { return 63 - std::countr_zero(b); }

// Removes and returns the lowest square of a non-empty set.
inline constexpr Square popLowestSquare(Bitboard& b) {
    const Square s = lowestSquare(b);
    b &= b - 1;
    return s;
}

// Without the popcnt instruction (not in the baseline x86-64 the default build
// targets) std::popcount is a library call; the inline bit-parallel sum is faster.
inline constexpr int popCount(Bitboard b) {
#ifdef __POPCNT__
    return std::popcount(b);
#else
    b -= (b >> 1) & 0x5555555555555555ULL;
    b = (b & 0x3333333333333333ULL) + ((b >> 2) & 0x3333333333333333ULL);
    b = (b + (b >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((b * 0x0101010101010101ULL) >> 56);
#endif
}
inline constexpr bool moreThanOne(Bitboard b) { return (b & (b - 1)) != 0; }

inline constexpr Bitboard RANK_8 = 0xFF00000000000000ULL;
inline constexpr Bitboard RANK_1 = 0x00000000000000FFULL;
inline constexpr Bitboard rankMask(int row) { return RANK_8 >> (8 * row); }
inline constexpr Bitboard FILE_A = 0x8080808080808080ULL;
inline constexpr Bitboard FILE_H = 0x0101010101010101ULL;
inline constexpr Bitboard fileMask(int file) { return FILE_A >> file; }

// ---- Rotated layouts ------------------------------------------------------
// Each layout renumbers the squares with an index p and stores square s at bit 63 - p.

// File-major: each file becomes one byte, rank 8 at its high bit.
inline constexpr int rotatedIndex90(Square s) { return 8 * (7 - fileOf(s)) + rowOf(s); }

// First rotated index and length of each of the 15 diagonals.
inline constexpr int DIAG_FIRST_INDEX[15] = {0, 1, 3, 6, 10, 15, 21, 28, 36, 43, 49, 54, 58, 61, 63};
inline constexpr int diagLength(int d) { return d <= 7 ? d + 1 : 15 - d; }

// a1-h8 layout: diagonals d = row + file, in order d = 0..14, squares by increasing file.
inline constexpr int diagA1H8Of(Square s) { return rowOf(s) + fileOf(s); }
inline constexpr int rotatedIndexA1H8(Square s) {
    const int d = diagA1H8Of(s);
    const int firstFile = d <= 7 ? 0 : d - 7;
    return DIAG_FIRST_INDEX[d] + fileOf(s) - firstFile;
}

// a8-h1 layout: diagonals e = file - row + 7, packed from file - row = 7 (index 0) to -7.
inline constexpr int diagH1A8Of(Square s) { return fileOf(s) - rowOf(s) + 7; }
inline constexpr int rotatedIndexH1A8(Square s) {
    const int order = 14 - diagH1A8Of(s);  // 0 for h8 alone, 14 for a1 alone
    const int e = diagH1A8Of(s);
    const int firstFile = e >= 7 ? e - 7 : 0;
    return DIAG_FIRST_INDEX[order] + fileOf(s) - firstFile;
}
