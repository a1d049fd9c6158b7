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
MoveEntry* writeQuietQueenPromotions(MoveEntry* list, const SliderSets& sliders) {
    using G = PawnGeometry<S>;
    Bitboard pawns = position.pieceBoards[pawnOf(S)] & G::SEVENTH_RANK;
    while (pawns) {
        const Square from = popLowestSquare(pawns);
        const Square to = from + G::STEP;
        if (position.board[to] != EMPTY) continue;
        const int score = staticExchange(pawnOf(S), from, to, sliders.orth, sliders.diag);
        list = keepIfWorthIt(list, from, to, KIND_PROMOTE_QUEEN, score);
    }
    return list;
}

template <Side S, Piece BlackCode>
MoveEntry* writePieceCaptures(MoveEntry* list, const SliderSets& sliders) {
    constexpr Piece piece = static_cast<Piece>(BlackCode - S);
    const Bitboard enemy = position.sidePieces(S ^ 1);
    Bitboard pieces = position.pieceBoards[piece];
    while (pieces) {
        const Square from = popLowestSquare(pieces);
        Bitboard captures = attacksFrom<BlackCode>(from) & enemy;
        while (captures) {
            const Square to = popLowestSquare(captures);
            list = keepIfWorthIt(list, from, to, KIND_CAPTURE, pieceCaptureScore(piece, from, to, sliders));
        }
    }
    return list;
}

template <Side S>
MoveEntry* writeKingCaptures(MoveEntry* list, const SliderSets& sliders) {
    const Square from = position.kingSquare[S];
    Bitboard captures = kingTargets<S>() & position.sidePieces(S ^ 1);
    while (captures) {
        const Square to = popLowestSquare(captures);
        list = keepIfWorthIt(list, from, to, KIND_CAPTURE, pieceCaptureScore(kingOf(S), from, to, sliders));
    }
    return list;
}

}  // namespace

template <Side S>
MoveEntry* generateCaptures(MoveEntry* list) {
    const SliderSets sliders = sliderSets();
    list = writePawnCaptures<S, TOWARD_A>(list);
    list = writePawnCaptures<S, TOWARD_H>(list);
    list = writeQuietQueenPromotions<S>(list, sliders);
    list = writePieceCaptures<S, BLACK_KNIGHT>(list, sliders);
    list = writePieceCaptures<S, BLACK_BISHOP>(list, sliders);
    list = writePieceCaptures<S, BLACK_ROOK>(list, sliders);
    list = writePieceCaptures<S, BLACK_QUEEN>(list, sliders);
    return writeKingCaptures<S>(list, sliders);
}

template MoveEntry* generateCaptures<WHITE>(MoveEntry*);
template MoveEntry* generateCaptures<BLACK>(MoveEntry*);
