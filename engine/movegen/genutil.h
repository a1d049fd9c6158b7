// Building blocks shared by the three generators: per-side pawn geometry,
// entry writers and per-piece attack sets. Internal to move generation.
#pragma once

#include <cstring>

#include "movegen/scores.h"

namespace movegen_detail {

// Pawn geometry of side S. Moving toward rank 8 is a left shift (square - 8 is bit + 8).
template <Side S>
struct PawnGeometry {
    static constexpr Bitboard LAST_RANK = S == WHITE ? rankMask(0) : rankMask(7);
    static constexpr Bitboard SEVENTH_RANK = S == WHITE ? rankMask(1) : rankMask(6);
    static constexpr Bitboard THIRD_RANK = S == WHITE ? rankMask(5) : rankMask(2);
    static constexpr int STEP = S == WHITE ? -8 : 8;  // to = from + STEP
    // from = to + BACK_* for a capture toward the a-file / h-file.
    static constexpr int BACK_TOWARD_A = S == WHITE ? 9 : -7;
    static constexpr int BACK_TOWARD_H = S == WHITE ? 7 : -9;

    static constexpr Bitboard forward(Bitboard b) { return S == WHITE ? b << 8 : b >> 8; }
    // a-file pawns have no capture toward the a-file, h-file pawns none toward the h-file.
    static constexpr Bitboard towardA(Bitboard b) {
        b &= ~FILE_A;
        return S == WHITE ? b << 9 : b >> 7;
    }
    static constexpr Bitboard towardH(Bitboard b) {
        b &= ~FILE_H;
        return S == WHITE ? b << 7 : b >> 9;
    }
};

enum CaptureDirection { TOWARD_A, TOWARD_H };

// One 4-byte store per entry: written field by field, the compiler may split a
// loop of them into one loop per field.
inline MoveEntry* writeMove(MoveEntry* list, Square from, Square to, MoveKind kind, int score) {
    const MoveEntry entry{static_cast<std::int16_t>(score), makeMoveCode(from, to, kind)};
    std::uint32_t word;
    std::memcpy(&word, &entry, sizeof word);
    std::memcpy(list, &word, sizeof word);
    return list + 1;
}

// Four entries for one promotion: queen, knight, rook, bishop. firstKind is 4 or 8.
inline MoveEntry* writePromotions(MoveEntry* list, Square from, Square to, MoveKind firstKind, int victimValue) {
    for (int i = 0; i < 4; ++i) list = writeMove(list, from, to, firstKind + i, victimValue + PROMOTION_SCORE[i]);
    return list;
}

// The two slider sets staticExchange needs, gathered once per generator call.
struct SliderSets {
    Bitboard orth;  // rooks and queens of both sides
    Bitboard diag;  // bishops and queens of both sides
};

inline SliderSets sliderSets(const Position& pos) {
    const Bitboard* b = pos.pieceBoards;
    const Bitboard queens = b[WHITE_QUEEN] | b[BLACK_QUEEN];
    return {b[WHITE_ROOK] | b[BLACK_ROOK] | queens, b[WHITE_BISHOP] | b[BLACK_BISHOP] | queens};
}

// Piece types by their black code, so that the side's code is BLACK_CODE - S.
template <Piece BlackCode>
inline Bitboard attacksFrom(const Position& pos, Square s) {
    if constexpr (BlackCode == BLACK_KNIGHT) return KNIGHT_ATTACKS[s];
    else if constexpr (BlackCode == BLACK_BISHOP) return bishopAttacks(pos, s);
    else if constexpr (BlackCode == BLACK_ROOK) return rookAttacks(pos, s);
    else if constexpr (BlackCode == BLACK_QUEEN) return queenAttacks(pos, s);
    else return KING_ATTACKS[s];
}

// Empty-board reach, a cheap filter before the real attacks are looked up.
template <Piece BlackCode>
inline Bitboard raysFrom(Square s) {
    if constexpr (BlackCode == BLACK_BISHOP) return BISHOP_RAYS[s];
    else if constexpr (BlackCode == BLACK_ROOK) return ROOK_RAYS[s];
    else return QUEEN_RAYS[s];
}

// Score of a capture by a piece (not a pawn): the plain formula when the victim is
// worth about as much as the capturer, else the exchange evaluation.
inline int pieceCaptureScore(const Position& pos, Piece capturer, Square from, Square to, const SliderSets& sliders) {
    const Piece victim = pos.board[to];
    if (victimWorthCapturer(capturer, victim)) return plainCaptureScore(capturer, victim);
    return staticExchange(pos, capturer, from, to, sliders.orth, sliders.diag);
}

// Squares the king of S may step to: never next to the other king, never onto its own pieces.
template <Side S>
inline Bitboard kingTargets(const Position& pos) {
    return KING_ATTACKS[pos.kingSquare[S]] & ~KING_ATTACKS[pos.kingSquare[S ^ 1]] &
           ~pos.sidePieces(S);
}

// Quiet moves from one square, kind 0, all with the same score.
inline MoveEntry* writeQuietMoves(MoveEntry* list, Square from, Bitboard targets, int score) {
    while (targets) list = writeMove(list, from, popLowestSquare(targets), KIND_QUIET, score);
    return list;
}

// Pawn captures in one direction, set-wise: the en-passant capture first, then
// the captures onto the last rank (four promotions each), then the others.
template <Side S, CaptureDirection D>
inline MoveEntry* writePawnCaptures(const Position& pos, MoveEntry* list) {
    using G = PawnGeometry<S>;
    constexpr int back = D == TOWARD_A ? G::BACK_TOWARD_A : G::BACK_TOWARD_H;
    const Bitboard pawns = pos.pieceBoards[pawnOf(S)];
    const Bitboard reach = D == TOWARD_A ? G::towardA(pawns) : G::towardH(pawns);
    const Square ep = pos.epSquare;
    if (ep && (reach & bitOf(ep))) list = writeMove(list, ep + back, ep, KIND_EN_PASSANT, SCORE_EN_PASSANT);
    const Bitboard targets = reach & pos.sidePieces(S ^ 1);
    Bitboard promotions = targets & G::LAST_RANK;
    while (promotions) {
        const Square to = popLowestSquare(promotions);
        list = writePromotions(list, to + back, to, KIND_CAPTURE_PROMOTE_QUEEN, PIECE_VALUE[pos.board[to]]);
    }
    Bitboard captures = targets & ~G::LAST_RANK;
    while (captures) {
        const Square to = popLowestSquare(captures);
        list = writeMove(list, to + back, to, KIND_CAPTURE, plainCaptureScore(pawnOf(S), pos.board[to]));
    }
    return list;
}

}  // namespace movegen_detail
