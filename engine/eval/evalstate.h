// The running state of one evaluation pass and the helpers that let one
// function template serve both sides.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "board/position.h"

// Running total (white minus black) and the counters later terms read.
// The score is a 16-bit number: the int total is taken modulo 2^16 once at the
// end, which wraps exactly as 16-bit sums taken term by term would.
struct EvalState {
    int score = 0;
    std::uint8_t tropism[2] = {0, 0};   // [side]: closeness of its pieces to the enemy king
    std::uint8_t exposure[2] = {0, 0};  // [side]: how open its own king stands
    std::int8_t minorBalance = 0;       // white knights and bishops minus black ones
    std::int8_t majorBalance = 0;       // white rooks and queens minus black ones
    int pawnsOnBoard = 0;
};

// +1 for White, -1 for Black: the sign a side's terms enter the total with.
template <Side S>
inline constexpr int SIDE_SIGN = S == WHITE ? 1 : -1;

// The table entry a piece of side S on s reads: Black's board is turned through half a circle.
template <Side S>
constexpr int pstIndex(Square s) {
    return S == WHITE ? s : 63 - s;
}

// Board turned over top to bottom (rank 8 <-> rank 1): each rank is one byte.
constexpr Bitboard flipRanks(Bitboard b) {
    b = ((b >> 8) & 0x00FF00FF00FF00FFULL) | ((b & 0x00FF00FF00FF00FFULL) << 8);
    b = ((b >> 16) & 0x0000FFFF0000FFFFULL) | ((b & 0x0000FFFF0000FFFFULL) << 16);
    return (b >> 32) | (b << 32);
}

// A set of squares given from White's side, as side S sees it (mirrored top to bottom for Black).
template <Side S>
constexpr Bitboard forSide(Bitboard whiteView) {
    return S == WHITE ? whiteView : flipRanks(whiteView);
}

// Row counted from side S's own back rank side: rank 8 is row 0 for White, rank 1 for Black.
template <Side S>
constexpr int relativeRow(Square s) {
    return S == WHITE ? rowOf(s) : 7 - rowOf(s);
}

// Square from its name ("g7"), for readable fixed squares.
constexpr Square squareNamed(const char* name) { return makeSquare(name[0] - 'a', '8' - name[1]); }

constexpr Bitboard squaresNamed(std::initializer_list<const char*> names) {
    Bitboard b = 0;
    for (const char* name : names) b |= bitOf(squareNamed(name));
    return b;
}

// Pawns of a side.
inline Bitboard pawnsOf(const Position& pos, Side s) { return pos.pieceBoards[pawnOf(s)]; }
inline bool hasQueen(const Position& pos, Side s) { return pos.pieceBoards[queenOf(s)] != 0; }
