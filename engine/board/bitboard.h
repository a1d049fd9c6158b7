// Bitboard primitives: square s is bit 63 - s, so a8 is the top bit and each
// rank is one byte with its a-file square at the byte's high bit.
#pragma once

#include <bit>

#include "board/types.h"

inline constexpr Bitboard bitOf(Square s) { return Bitboard{1} << (63 - s); }

// Folded multiply lookup: index -> square of the lowest set bit (63 - bit number).
inline constexpr std::uint8_t LSB_SQUARE[64] = {
    63, 32, 59, 30, 3,  48, 51, 29, 2,  38, 12, 53, 7,  43, 41, 28, 1,  33, 60, 9,  11, 39,
    21, 44, 6,  34, 61, 19, 16, 35, 62, 27, 0,  31, 4,  58, 57, 13, 8,  56, 47, 10, 50, 22,
    55, 20, 17, 46, 37, 5,  14, 49, 52, 23, 54, 18, 42, 15, 24, 40, 45, 25, 26, 36};

// Square of the lowest set bit of a non-empty set: repeated use walks h1 toward a8.
inline constexpr Square lowestSquare(Bitboard b) {
    const Bitboard below = (b & (0 - b)) - 1;
    const std::uint32_t folded = static_cast<std::uint32_t>(below) ^ static_cast<std::uint32_t>(below >> 32);
    return LSB_SQUARE[(folded * 0x78291ACFu) >> 26];
}

// Removes and returns the lowest square of a non-empty set.
inline constexpr Square popLowestSquare(Bitboard& b) {
    const Square s = lowestSquare(b);
    b &= b - 1;
    return s;
}

inline constexpr int popCount(Bitboard b) { return std::popcount(b); }
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
