// Piece-square tables and their selection by the material left on the board:
// positional terms of the evaluation and of the exchange evaluator alike.
#pragma once

#include <array>

#include "board/position.h"

using PieceSquareTable = std::array<std::int16_t, 64>;  // indexed by square, a8 = 0, from White's side

// Table kinds in the order pstByMaterial lists them.
enum PstKind { PST_KING, PST_PAWN, PST_KNIGHT, PST_BISHOP, PST_ROOK, PST_QUEEN, PST_KIND_COUNT };

inline constexpr int PST_MATERIAL_LIMIT = 127;  // pstByMaterial covers totalMaterial 0..127

// [kind][totalMaterial] -> the table in force at that much material.
extern const std::array<std::array<const PieceSquareTable*, PST_MATERIAL_LIMIT + 1>, PST_KIND_COUNT> pstByMaterial;

// By piece code (a static table: a local one would be rebuilt on every call).
inline constexpr PstKind PST_KIND_OF_PIECE[13] = {PST_KING, PST_PAWN,   PST_PAWN,   PST_KNIGHT, PST_KNIGHT,
                                                   PST_BISHOP, PST_BISHOP, PST_ROOK, PST_ROOK,   PST_QUEEN,
                                                   PST_QUEEN,  PST_KING,   PST_KING};

inline constexpr PstKind pstKindOf(Piece p) { return PST_KIND_OF_PIECE[p]; }

// totalMaterial clamped to the range pstByMaterial covers (only many promotions exceed it).
inline int pstMaterial(const Position& pos) {
    return pos.totalMaterial > PST_MATERIAL_LIMIT ? PST_MATERIAL_LIMIT : pos.totalMaterial;
}

// The table of a kind at pos's totalMaterial.
inline const PieceSquareTable& currentPst(const Position& pos, PstKind kind) { return *pstByMaterial[kind][pstMaterial(pos)]; }

// Which of the four pawn tables (0 = A .. 3 = D) is in force at pos's totalMaterial.
int currentPawnTableId(const Position& pos);
