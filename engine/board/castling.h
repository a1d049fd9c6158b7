// Where the king and the rook stand before and after each castling kind.
#pragma once

#include <array>

#include "board/types.h"

struct CastlingSquares {
    Square kingFrom, kingTo, rookFrom, rookTo;
};

// By kind, from KIND_CASTLE_BLACK_SHORT to KIND_CASTLE_WHITE_LONG.
inline constexpr std::array<CastlingSquares, 4> CASTLING_SQUARES = {{
    {SQ_E8, SQ_G8, SQ_H8, SQ_F8},
    {SQ_E1, SQ_G1, SQ_H1, SQ_F1},
    {SQ_E8, SQ_C8, SQ_A8, SQ_D8},
    {SQ_E1, SQ_C1, SQ_A1, SQ_D1},
}};

inline constexpr const CastlingSquares& castlingSquares(MoveKind kind) {
    return CASTLING_SQUARES[kind - KIND_CASTLE_BLACK_SHORT];
}
