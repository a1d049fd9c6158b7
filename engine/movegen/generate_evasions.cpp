// generateEvasions: replies to a check. Captures of a single checker, blocks
// on the squares between it and the king, then king moves.
#include "movegen/generate.h"
#include "movegen/genutil.h"

using namespace movegen_detail;

namespace {

// The squares strictly between a sliding checker on x and the king; empty for a
// knight, a pawn or an adjacent checker.
inline Bitboard blockSquares(const Position& pos, Square x, Square king, const CheckInfo& check) {
    if (pos.board[x] < WHITE_BISHOP || (KING_ATTACKS[king] & bitOf(x))) return 0;
    if (check.kingOrthLines == 0) return bishopAttacks(pos, x) & check.kingDiagLines;
    return rookAttacks(pos, x) & check.kingOrthLines;
}

// The (at most two) pawns that attack a square, a-file side first. Both stand on
// one row, where the a-file side has the lower square, which lowestSquare reaches last.
struct PawnPair {
    int count = 0;
    Square squares[2] = {0, 0};
};

inline PawnPair aSideFirst(Bitboard pawns) {
    PawnPair pair;
    if (!pawns) return pair;
    const Square hSide = popLowestSquare(pawns);
    if (pawns) pair.squares[pair.count++] = lowestSquare(pawns);
    pair.squares[pair.count++] = hSide;
    return pair;
}

// En passant removes a checking pawn that has just made its double step.
template <Side S>
MoveEntry* writeEnPassantEvasions(const Position& pos, MoveEntry* list, Square x) {
    const Square ep = pos.epSquare;
    if (!ep || x != ep - PawnGeometry<S>::STEP) return list;
    const PawnPair takers = aSideFirst(PAWN_ATTACKS[S ^ 1][ep] & pos.pieceBoards[pawnOf(S)]);
    for (int i = 0; i < takers.count; ++i)
        list = writeMove(list, takers.squares[i], ep, KIND_EN_PASSANT, SCORE_EN_PASSANT);
    return list;
}

// Pawn captures of the checker, the a-file-side pawn first.
template <Side S>
MoveEntry* writePawnCapturesOf(const Position& pos, MoveEntry* list, Square x) {
    constexpr Piece pawn = pawnOf(S);
    const PawnPair takers = aSideFirst(PAWN_ATTACKS[S ^ 1][x] & pos.pieceBoards[pawn]);
    const Piece victim = pos.board[x];
    const bool promotes = (PawnGeometry<S>::LAST_RANK & bitOf(x)) != 0;
    for (int i = 0; i < takers.count; ++i) {
        if (promotes)
            list = writePromotions(list, takers.squares[i], x, KIND_CAPTURE_PROMOTE_QUEEN, PIECE_VALUE[victim]);
        else
            list = writeMove(list, takers.squares[i], x, KIND_CAPTURE, plainCaptureScore(pawn, victim));
    }
    return list;
}

// One piece type: every piece that takes the checker, then every piece's blocks.
template <Side S, Piece BlackCode>
MoveEntry* writePieceEvasions(const Position& pos, MoveEntry* list, Square x, Bitboard block) {
    constexpr Piece piece = static_cast<Piece>(BlackCode - S);
    const Bitboard pieces = pos.pieceBoards[piece];
    if (!pieces) return list;
    Bitboard takers = 0;
    if constexpr (BlackCode == BLACK_KNIGHT) {
        takers = KNIGHT_ATTACKS[x] & pieces;
    } else {
        if (raysFrom<BlackCode>(x) & pieces) takers = attacksFrom<BlackCode>(pos, x) & pieces;
    }
    const int captureScore = plainCaptureScore(piece, pos.board[x]);
    while (takers) list = writeMove(list, popLowestSquare(takers), x, KIND_CAPTURE, captureScore);
    if (!block) return list;
    Bitboard blockers = pieces;
    while (blockers) {
        const Square from = popLowestSquare(blockers);
        list = writeQuietMoves(list, from, attacksFrom<BlackCode>(pos, from) & block, interpositionScore(piece));
    }
    return list;
}

// Pawn steps onto the block squares: double steps, promoting steps, other single steps.
template <Side S>
MoveEntry* writePawnBlocks(const Position& pos, MoveEntry* list, Bitboard block) {
    using G = PawnGeometry<S>;
    const Bitboard empty = ~pos.occupied;
    const Bitboard steps = G::forward(pos.pieceBoards[pawnOf(S)]) & empty;
    Bitboard doubles = G::forward(steps & G::THIRD_RANK) & empty & block;
    while (doubles) {
        const Square to = popLowestSquare(doubles);
        list = writeMove(list, to - 2 * G::STEP, to, KIND_QUIET, SCORE_QUIET);
    }
    Bitboard promotions = steps & block & G::LAST_RANK;
    while (promotions) {
        const Square to = popLowestSquare(promotions);
        list = writePromotions(list, to - G::STEP, to, KIND_PROMOTE_QUEEN, 0);
    }
    Bitboard singles = steps & block & ~G::LAST_RANK;
    while (singles) {
        const Square to = popLowestSquare(singles);
        list = writeMove(list, to - G::STEP, to, KIND_QUIET, SCORE_QUIET);
    }
    return list;
}

// King steps off the block squares; squares further along the checking line are
// left to leavesKingAttacked.
template <Side S>
MoveEntry* writeKingEvasions(const Position& pos, MoveEntry* list, Bitboard block) {
    constexpr Piece king = kingOf(S);
    const Square from = pos.kingSquare[S];
    const Bitboard targets = kingTargets<S>(pos) & ~block;
    Bitboard captures = targets & pos.sidePieces(S ^ 1);
    if (captures) {
        const SliderSets sliders = sliderSets(pos);
        while (captures) {
            const Square to = popLowestSquare(captures);
            list = writeMove(list, from, to, KIND_CAPTURE, pieceCaptureScore(pos, king, from, to, sliders));
        }
    }
    return writeQuietMoves(list, from, targets & ~pos.sidePieces(S ^ 1), SCORE_QUIET);
}

}  // namespace

template <Side S>
MoveEntry* generateEvasions(const Position& pos, MoveEntry* list, const CheckInfo& check) {
    // In double check only the king can move.
    if (moreThanOne(check.checkers)) return writeKingEvasions<S>(pos, list, 0);
    const Square x = lowestSquare(check.checkers);
    const Bitboard block = blockSquares(pos, x, pos.kingSquare[S], check);
    list = writeEnPassantEvasions<S>(pos, list, x);
    list = writePawnCapturesOf<S>(pos, list, x);
    list = writePieceEvasions<S, BLACK_KNIGHT>(pos, list, x, block);
    list = writePieceEvasions<S, BLACK_BISHOP>(pos, list, x, block);
    list = writePieceEvasions<S, BLACK_ROOK>(pos, list, x, block);
    list = writePieceEvasions<S, BLACK_QUEEN>(pos, list, x, block);
    if (block) list = writePawnBlocks<S>(pos, list, block);
    return writeKingEvasions<S>(pos, list, block);
}

template MoveEntry* generateEvasions<WHITE>(const Position&, MoveEntry*, const CheckInfo&);
template MoveEntry* generateEvasions<BLACK>(const Position&, MoveEntry*, const CheckInfo&);
