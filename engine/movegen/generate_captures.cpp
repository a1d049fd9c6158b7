// generateCaptures: the captures and queen promotions worth trying in the
// quiescence search; exchanges that lose material are left out.
#include "movegen/generate.h"
#include "movegen/genutil.h"

using namespace movegen_detail;

namespace {

inline MoveEntry* keepIfWorthIt(MoveEntry* list, Square from, Square to, MoveKind kind, int score) {
    return score >= SCORE_KEEP_CAPTURE ? writeMove(list, from, to, kind, score) : list;
}

// Queen promotions without capture, scored by the exchange on the promotion square.
template <Side S>
MoveEntry* writeQuietQueenPromotions(const Position& pos, MoveEntry* list, const SliderSets& sliders) {
    using G = PawnGeometry<S>;
    Bitboard pawns = pos.pieceBoards[pawnOf(S)] & G::SEVENTH_RANK;
    while (pawns) {
        const Square from = popLowestSquare(pawns);
        const Square to = from + G::STEP;
        if (pos.board[to] != EMPTY) continue;
        const int score = staticExchange(pos, pawnOf(S), from, to, sliders.orth, sliders.diag);
        list = keepIfWorthIt(list, from, to, KIND_PROMOTE_QUEEN, score);
    }
    return list;
}

template <Side S, Piece BlackCode>
MoveEntry* writePieceCaptures(const Position& pos, MoveEntry* list, const SliderSets& sliders) {
    constexpr Piece piece = static_cast<Piece>(BlackCode - S);
    const Bitboard enemy = pos.sidePieces(S ^ 1);
    Bitboard pieces = pos.pieceBoards[piece];
    while (pieces) {
        const Square from = popLowestSquare(pieces);
        Bitboard captures = attacksFrom<BlackCode>(pos, from) & enemy;
        while (captures) {
            const Square to = popLowestSquare(captures);
            list = keepIfWorthIt(list, from, to, KIND_CAPTURE, pieceCaptureScore(pos, piece, from, to, sliders));
        }
    }
    return list;
}

template <Side S>
MoveEntry* writeKingCaptures(const Position& pos, MoveEntry* list, const SliderSets& sliders) {
    const Square from = pos.kingSquare[S];
    Bitboard captures = kingTargets<S>(pos) & pos.sidePieces(S ^ 1);
    while (captures) {
        const Square to = popLowestSquare(captures);
        list = keepIfWorthIt(list, from, to, KIND_CAPTURE, pieceCaptureScore(pos, kingOf(S), from, to, sliders));
    }
    return list;
}

}  // namespace

template <Side S>
MoveEntry* generateCaptures(const Position& pos, MoveEntry* list) {
    const SliderSets sliders = sliderSets(pos);
    list = writePawnCaptures<S, TOWARD_A>(pos, list);
    list = writePawnCaptures<S, TOWARD_H>(pos, list);
    list = writeQuietQueenPromotions<S>(pos, list, sliders);
    list = writePieceCaptures<S, BLACK_KNIGHT>(pos, list, sliders);
    list = writePieceCaptures<S, BLACK_BISHOP>(pos, list, sliders);
    list = writePieceCaptures<S, BLACK_ROOK>(pos, list, sliders);
    list = writePieceCaptures<S, BLACK_QUEEN>(pos, list, sliders);
    return writeKingCaptures<S>(pos, list, sliders);
}

template MoveEntry* generateCaptures<WHITE>(const Position&, MoveEntry*);
template MoveEntry* generateCaptures<BLACK>(const Position&, MoveEntry*);
