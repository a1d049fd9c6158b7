// Zobrist keys: [piece code][square]; row 0 holds the en-passant and castle-right keys.
#pragma once

#include <array>

#include "board/types.h"

extern const std::array<std::array<HashKey, 64>, 13> ZOBRIST;

// Key of the standard initial position under the ZOBRIST values.
inline constexpr HashKey INITIAL_POSITION_KEY = 0x3525BC3461525688ULL;

inline HashKey epKey(Square t) { return ZOBRIST[0][t]; }

// Key of one castle right: row 0 at the king's destination square.
inline constexpr HashKey castleKey(std::uint16_t right) {
    switch (right) {
        case CASTLE_WHITE_SHORT: return ZOBRIST[0][SQ_G1];
        case CASTLE_WHITE_LONG: return ZOBRIST[0][SQ_C1];
        case CASTLE_BLACK_SHORT: return ZOBRIST[0][SQ_G8];
        default: return ZOBRIST[0][SQ_C8];
    }
}

// XOR of the keys of every right in a set of castle rights (index: the rights' bits),
// so that losing several rights at once is one lookup.
extern const std::array<HashKey, 32> CASTLE_RIGHTS_KEY;
