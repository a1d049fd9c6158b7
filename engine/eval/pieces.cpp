#include "eval/pieces.h"

#include "board/pst.h"
#include "eval/evalconst.h"

namespace {

// A bishop on one of these squares (White's view) is shut in by an enemy pawn on the partner square.
struct BishopTrap {
    Square bishop;
    Square pawn;
};
constexpr BishopTrap BISHOP_TRAPS[] = {
    {squareNamed("a7"), squareNamed("b6")},
    {squareNamed("b8"), squareNamed("c7")},
    {squareNamed("g8"), squareNamed("f7")},
    {squareNamed("h7"), squareNamed("g6")},
};

constexpr Bitboard LIGHT_SQUARES = [] {
    Bitboard b = 0;
    for (Square s = 0; s < 64; ++s)
        if ((rowOf(s) + fileOf(s)) % 2 == 0) b |= bitOf(s);  // a8 and h1 are light
    return b;
}();

constexpr Bitboard SEVENTH_RANK = rankMask(1);  // White's view

// Material, table value and tropism of every piece of one kind of side S; returns
// the number of pieces for the balance counters. extra is added per piece.
template <Side S>
int placePieces(const Position& pos, EvalState& state, Piece piece, int value, PstKind kind, const TropismTable& nearKing, int extra) {
    const PieceSquareTable& table = currentPst(pos, kind);
    const BySquare<std::uint8_t>& distanceToEnemyKing = KING_DISTANCE[pos.kingSquare[S ^ 1]];
    int sum = 0;
    int count = 0;
    for (Bitboard b = pos.pieceBoards[piece]; b; ++count) {
        const Square s = popLowestSquare(b);
        sum += value + table[pstIndex<S>(s)] + extra;
        state.tropism[S] += nearKing[distanceToEnemyKing[s]];
    }
    state.score += SIDE_SIGN<S> * sum;
    return count;
}

template <Side S>
bool bishopTrapped(Bitboard bishops, Bitboard enemyPawns) {
    for (const BishopTrap& trap : BISHOP_TRAPS)
        if ((bishops & forSide<S>(bitOf(trap.bishop))) && (enemyPawns & forSide<S>(bitOf(trap.pawn)))) return true;
    return false;
}

// File term of one rook of side S on r, positive for S.
template <Side S>
int rookFileScore(const Position& pos, Square r) {
    const Bitboard ownOnFile = FILE_EXCEPT[r] & pawnsOf(pos, S);
    if (ownOnFile) {
        // The pawn of the file with the highest square number: White's rearmost, Black's foremost.
        const Square p = lowestSquare(ownOnFile);
        const bool behind = S == WHITE ? r > p : r < p;
        return ((PASSED_MASK[S][p] & pawnsOf(pos, S ^ 1)) == 0 && behind) ? ROOK_BEHIND_PASSER : 0;
    }
    return (FILE_EXCEPT[r] & pawnsOf(pos, S ^ 1)) ? ROOK_HALF_OPEN_FILE : ROOK_HALF_OPEN_FILE + ROOK_OPEN_FILE_EXTRA;
}

// Rooks on the enemy's second rank, more with two when the enemy king is on its first two ranks.
template <Side S>
int seventhRankScore(const Position& pos, Bitboard rooks) {
    const Bitboard onSeventh = rooks & forSide<S>(SEVENTH_RANK);
    if (!onSeventh) return 0;
    if (!moreThanOne(onSeventh)) return ROOK_ON_SEVENTH;
    int bonus = ROOK_ON_SEVENTH + ROOKS_ON_SEVENTH_EXTRA;
    const int kingRow = relativeRow<S>(pos.kingSquare[S ^ 1]);
    if (kingRow == 0) bonus += SEVENTH_ENEMY_KING_ON_EIGHTH;
    if (kingRow == 1) bonus += SEVENTH_ENEMY_KING_ON_SEVENTH;
    return bonus;
}

}  // namespace

template <Side S>
void addKnights(const Position& pos, EvalState& state) {
    const int count =
        placePieces<S>(pos, state, knightOf(S), KNIGHT_VALUE, PST_KNIGHT, KNIGHT_NEAR_KING, state.pawnsOnBoard);
    state.minorBalance += SIDE_SIGN<S> * count;
}

template <Side S>
void addBishops(const Position& pos, EvalState& state) {
    const int count =
        placePieces<S>(pos, state, bishopOf(S), BISHOP_VALUE, PST_BISHOP, BISHOP_NEAR_KING, -state.pawnsOnBoard);
    state.minorBalance += SIDE_SIGN<S> * count;
    const Bitboard bishops = pos.pieceBoards[bishopOf(S)];
    int bonus = 0;
    if (bishopTrapped<S>(bishops, pawnsOf(pos, S ^ 1))) bonus -= TRAPPED_BISHOP_PENALTY;
    if ((bishops & LIGHT_SQUARES) && (bishops & ~LIGHT_SQUARES)) bonus += BISHOP_PAIR_BONUS;
    state.score += SIDE_SIGN<S> * bonus;
}

template <Side S>
void addRooks(const Position& pos, EvalState& state) {
    const int count = placePieces<S>(pos, state, rookOf(S), ROOK_VALUE, PST_ROOK, ROOK_NEAR_KING, 0);
    state.majorBalance += SIDE_SIGN<S> * count;
    const Bitboard rooks = pos.pieceBoards[rookOf(S)];
    int bonus = 0;
    for (Bitboard b = rooks; b;) bonus += rookFileScore<S>(pos, popLowestSquare(b));
    bonus += seventhRankScore<S>(pos, rooks);
    state.score += SIDE_SIGN<S> * bonus;
}

template <Side S>
void addQueens(const Position& pos, EvalState& state) {
    const int count = placePieces<S>(pos, state, queenOf(S), QUEEN_VALUE, PST_QUEEN, QUEEN_NEAR_KING, 0);
    state.majorBalance += SIDE_SIGN<S> * count;
}

template void addKnights<WHITE>(const Position&, EvalState&);
template void addKnights<BLACK>(const Position&, EvalState&);
template void addBishops<WHITE>(const Position&, EvalState&);
template void addBishops<BLACK>(const Position&, EvalState&);
template void addRooks<WHITE>(const Position&, EvalState&);
template void addRooks<BLACK>(const Position&, EvalState&);
template void addQueens<WHITE>(const Position&, EvalState&);
template void addQueens<BLACK>(const Position&, EvalState&);
