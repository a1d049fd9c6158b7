// Static exchange evaluation of a capture or promotion step, as an ordering score.
#pragma once

#include "board/position.h"

inline constexpr std::int16_t PIECE_VALUE[13] = {0, 100, 100, 310, 310, 315, 315, 500, 500, 950, 950, 2000, 2000};

// orthSliders: all rooks and queens of both sides; diagSliders: all bishops and queens.
std::int16_t staticExchange(const Position& pos, Piece piece, Square from, Square to, Bitboard orthSliders, Bitboard diagSliders);
