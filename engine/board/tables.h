// Constant tables of the board model, built at compile time: attack sets,
// rotated square bits, pawn-structure masks and the sliding-attack tables.
#pragma once

#include <array>

#include "board/bitboard.h"

template <typename T>
using BySquare = std::array<T, 64>;
using SquareSets = BySquare<Bitboard>;
using SlidingTable = BySquare<std::array<Bitboard, 256>>;

extern const SquareSets KING_ATTACKS;
extern const SquareSets KNIGHT_ATTACKS;
extern const std::array<SquareSets, 2> PAWN_ATTACKS;  // [side][square]

extern const SquareSets SQUARE_BIT;
extern const SquareSets SQUARE_BIT_90;
extern const SquareSets SQUARE_BIT_A1H8;
extern const SquareSets SQUARE_BIT_H1A8;

// The bit of one square in the normal and the three rotated layouts, side by side,
// in the order of the position's four occupancies: one address serves all four.
struct OccupancyBits {
    Bitboard normal, rot90, a1h8, h1a8;
};
extern const BySquare<OccupancyBits> OCCUPANCY_BITS;
// The four squares a castling changes, in all four layouts, by kind from
// KIND_CASTLE_BLACK_SHORT: castling flips them with one XOR per occupancy.
extern const std::array<OccupancyBits, 4> CASTLING_OCCUPANCY;

extern const SquareSets FILE_EXCEPT;
extern const SquareSets ADJACENT_FILES;
extern const std::array<SquareSets, 2> PASSED_MASK;  // [side][square]
extern const std::array<SquareSets, 2> FRONT_SPAN;   // [side][square]

extern const SquareSets QUEEN_RAYS;
extern const SquareSets ROOK_RAYS;
extern const SquareSets BISHOP_RAYS;

extern const SquareSets EP_TOGGLE_90;
extern const SquareSets EP_TOGGLE_A1H8;
extern const SquareSets EP_TOGGLE_H1A8;

extern const SlidingTable RANK_ATTACKS;
extern const SlidingTable FILE_ATTACKS;
extern const SlidingTable DIAG_A1H8_ATTACKS;
extern const SlidingTable DIAG_H1A8_ATTACKS;
extern const BySquare<std::uint8_t> DIAG_A1H8_SHIFT;
extern const BySquare<std::uint8_t> DIAG_A1H8_MASK;
extern const BySquare<std::uint8_t> DIAG_H1A8_SHIFT;
extern const BySquare<std::uint8_t> DIAG_H1A8_MASK;

// Whole-board rotations into the three rotated layouts.
Bitboard rotate90(Bitboard b);
Bitboard rotateA1H8(Bitboard b);
Bitboard rotateH1A8(Bitboard b);

// Sliding attacks along one line, given the occupancy in that line's layout.
inline Bitboard rankAttacks(Square s, Bitboard occupied) {
    return RANK_ATTACKS[s][(occupied >> (8 * (7 - rowOf(s)))) & 0xFF];
}
inline Bitboard fileAttacks(Square s, Bitboard occupiedRot90) {
    return FILE_ATTACKS[s][(occupiedRot90 >> (8 * fileOf(s))) & 0xFF];
}
inline Bitboard diagA1H8Attacks(Square s, Bitboard occupiedA1H8) {
    return DIAG_A1H8_ATTACKS[s][(occupiedA1H8 >> DIAG_A1H8_SHIFT[s]) & DIAG_A1H8_MASK[s]];
}
inline Bitboard diagH1A8Attacks(Square s, Bitboard occupiedH1A8) {
    return DIAG_H1A8_ATTACKS[s][(occupiedH1A8 >> DIAG_H1A8_SHIFT[s]) & DIAG_H1A8_MASK[s]];
}

// Chebyshev distance between two squares (0..7), worked out; KING_DISTANCE holds it.
constexpr int chebyshevDistance(Square a, Square b) {
    const int dr = rowOf(a) > rowOf(b) ? rowOf(a) - rowOf(b) : rowOf(b) - rowOf(a);
    const int df = fileOf(a) > fileOf(b) ? fileOf(a) - fileOf(b) : fileOf(b) - fileOf(a);
    return dr > df ? dr : df;
}
extern const BySquare<BySquare<std::uint8_t>> KING_DISTANCE;  // [a][b]
inline int kingDistance(Square a, Square b) { return KING_DISTANCE[a][b]; }
