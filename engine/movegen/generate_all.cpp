// generateAll: every pseudo-legal move of the side to move, in a fixed order.
#include "movegen/generate.h"
#include "movegen/genutil.h"

using namespace movegen_detail;

namespace {

// Each piece of one type: its captures first, then its quiet moves.
template <Side S, Piece BlackCode>
MoveEntry* writePieceMoves(const Position& pos, MoveEntry* list, const SliderSets& sliders) {
    constexpr Piece piece = static_cast<Piece>(BlackCode - S);
    const Bitboard own = pos.sidePieces(S), enemy = pos.sidePieces(S ^ 1);
    Bitboard pieces = pos.pieceBoards[piece];
    while (pieces) {
        const Square from = popLowestSquare(pieces);
        const Bitboard targets = attacksFrom<BlackCode>(pos, from) & ~own;
        Bitboard captures = targets & enemy;
        while (captures) {
            const Square to = popLowestSquare(captures);
            list = writeMove(list, from, to, KIND_CAPTURE, pieceCaptureScore(pos, piece, from, to, sliders));
        }
        list = writeQuietMoves(list, from, targets & ~enemy, SCORE_QUIET);
    }
    return list;
}

// Promotion steps, then double steps, then single steps, each set-wise.
template <Side S>
MoveEntry* writePawnSteps(const Position& pos, MoveEntry* list) {
    using G = PawnGeometry<S>;
    const Bitboard empty = ~pos.occupied;
    const Bitboard steps = G::forward(pos.pieceBoards[pawnOf(S)]) & empty;
    Bitboard promotions = steps & G::LAST_RANK;
    while (promotions) {
        const Square to = popLowestSquare(promotions);
        list = writePromotions(list, to - G::STEP, to, KIND_PROMOTE_QUEEN, 0);
    }
    Bitboard doubles = G::forward(steps & G::THIRD_RANK) & empty;
    while (doubles) {
        const Square to = popLowestSquare(doubles);
        list = writeMove(list, to - 2 * G::STEP, to, KIND_QUIET, SCORE_QUIET);
    }
    Bitboard singles = steps & ~G::LAST_RANK;
    while (singles) {
        const Square to = popLowestSquare(singles);
        list = writeMove(list, to - G::STEP, to, KIND_QUIET, SCORE_QUIET);
    }
    return list;
}

template <Side S>
MoveEntry* writeKingMoves(const Position& pos, MoveEntry* list, const SliderSets& sliders) {
    constexpr Piece king = kingOf(S);
    const Square from = pos.kingSquare[S];
    const Bitboard targets = kingTargets<S>(pos);
    Bitboard captures = targets & pos.sidePieces(S ^ 1);
    while (captures) {
        const Square to = popLowestSquare(captures);
        list = writeMove(list, from, to, KIND_CAPTURE, pieceCaptureScore(pos, king, from, to, sliders));
    }
    return writeQuietMoves(list, from, targets & ~pos.sidePieces(S ^ 1), SCORE_QUIET);
}

// Castling squares of one side; the rights imply king and rook on their squares.
struct CastlingLayout {
    std::uint16_t shortRight, longRight;
    Square kingFrom, shortTo, longTo;
    Bitboard shortBetween, longBetween;
    MoveKind shortKind, longKind;
};

inline constexpr CastlingLayout CASTLING_LAYOUT[2] = {
    {CASTLE_BLACK_SHORT, CASTLE_BLACK_LONG, SQ_E8, SQ_G8, SQ_C8, bitOf(SQ_F8) | bitOf(SQ_G8),
     bitOf(SQ_B8) | bitOf(SQ_C8) | bitOf(SQ_D8), KIND_CASTLE_BLACK_SHORT, KIND_CASTLE_BLACK_LONG},
    {CASTLE_WHITE_SHORT, CASTLE_WHITE_LONG, SQ_E1, SQ_G1, SQ_C1, bitOf(SQ_F1) | bitOf(SQ_G1),
     bitOf(SQ_B1) | bitOf(SQ_C1) | bitOf(SQ_D1), KIND_CASTLE_WHITE_SHORT, KIND_CASTLE_WHITE_LONG},
};

// No square is tested for attack here: leavesKingAttacked does that after the move.
template <Side S>
MoveEntry* writeCastlings(const Position& pos, MoveEntry* list) {
    constexpr CastlingLayout c = CASTLING_LAYOUT[S];
    const std::uint16_t rights = pos.castleRights;
    if (!rights) return list;
    if ((rights & c.shortRight) && !(pos.occupied & c.shortBetween))
        list = writeMove(list, c.kingFrom, c.shortTo, c.shortKind, SCORE_CASTLE_SHORT);
    if ((rights & c.longRight) && !(pos.occupied & c.longBetween))
        list = writeMove(list, c.kingFrom, c.longTo, c.longKind, SCORE_CASTLE_LONG);
    return list;
}

}  // namespace

template <Side S>
MoveEntry* generateAll(const Position& pos, MoveEntry* list) {
    const SliderSets sliders = sliderSets(pos);
    list = writePawnCaptures<S, TOWARD_A>(pos, list);
    list = writePawnCaptures<S, TOWARD_H>(pos, list);
    list = writePieceMoves<S, BLACK_KNIGHT>(pos, list, sliders);
    list = writePieceMoves<S, BLACK_QUEEN>(pos, list, sliders);
    list = writePieceMoves<S, BLACK_ROOK>(pos, list, sliders);
    list = writePieceMoves<S, BLACK_BISHOP>(pos, list, sliders);
    list = writePawnSteps<S>(pos, list);
    list = writeKingMoves<S>(pos, list, sliders);
    return writeCastlings<S>(pos, list);
}

template MoveEntry* generateAll<WHITE>(const Position&, MoveEntry*);
template MoveEntry* generateAll<BLACK>(const Position&, MoveEntry*);
