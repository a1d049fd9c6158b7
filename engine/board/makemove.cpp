// The rare kinds of makeMove and unmakeMove: en passant, promotions, castling and
// the refusal of kind 3. Quiet moves and captures are inline in makemove.h.
#include "board/makemove.h"

#include "board/castling.h"

using namespace makemove_detail;

namespace {

inline constexpr int EP_CAPTURE_OFFSET[2] = {-8, +8};  // [mover]: the captured pawn stands behind to

inline void toggleRotated(Square s) {
    position.occupiedRot90 ^= SQUARE_BIT_90[s];
    position.occupiedA1H8 ^= SQUARE_BIT_A1H8[s];
    position.occupiedH1A8 ^= SQUARE_BIT_H1A8[s];
}

inline void setRotated(Square s) {
    position.occupiedRot90 |= SQUARE_BIT_90[s];
    position.occupiedA1H8 |= SQUARE_BIT_A1H8[s];
    position.occupiedH1A8 |= SQUARE_BIT_H1A8[s];
}

inline void occupancyFromSides() { position.occupied = position.pieceBoards[11] | position.pieceBoards[12]; }

inline void makeEnPassant(Square from, Square to, Side s, UndoRecord& undo) {
    const Side o = s ^ 1;
    const Square v = to + EP_CAPTURE_OFFSET[s];
    const Piece p = position.board[from];
    const Piece captured = position.board[v];
    const Bitboard m = bitOf(from) | bitOf(to);
    undo.movedPieceBoard = position.pieceBoards[p];
    undo.capturedPiece = captured;
    position.board[to] = p;
    position.board[from] = EMPTY;
    position.board[v] = EMPTY;
    position.totalMaterial -= 1;
    position.pawnCount[o] -= 1;
    xorKeys(ZOBRIST[captured][v] ^ ZOBRIST[p][to] ^ ZOBRIST[p][from], true);
    position.pieceBoards[captured] ^= bitOf(v);
    position.pieceBoards[occupancyIndex(o)] ^= bitOf(v);
    position.pieceBoards[p] ^= m;
    position.pieceBoards[occupancyIndex(s)] ^= m;
    occupancyFromSides();
    position.occupiedRot90 ^= SQUARE_BIT_90[from] ^ EP_TOGGLE_90[to];
    position.occupiedA1H8 ^= SQUARE_BIT_A1H8[from] ^ EP_TOGGLE_A1H8[to];
    position.occupiedH1A8 ^= SQUARE_BIT_H1A8[from] ^ EP_TOGGLE_H1A8[to];
}

inline void makePromotion(Square from, Square to, MoveKind kind, Side s, UndoRecord& undo) {
    const Side o = s ^ 1;
    const Piece blackCode = promotionBlackCode(kind);
    const int gain = PIECE_UNITS[blackCode] - 1;
    const Piece promoted = static_cast<Piece>(blackCode - s);
    const Piece pawn = pawnOf(s);
    int delta = gain;
    if (kind < KIND_CAPTURE_PROMOTE_QUEEN) {
        setRotated(to);
    } else {
        const Piece captured = removeCaptured(to, o);
        undo.capturedPiece = captured;
        position.pieceMaterial[o] -= PIECE_UNITS[captured];
        delta -= PIECE_UNITS[captured];
    }
    undo.materialDelta = static_cast<std::int8_t>(delta);
    position.totalMaterial += delta;
    position.pieceMaterial[s] += gain + 1;
    toggleRotated(from);
    undo.movedPieceBoard = position.pieceBoards[pawn];
    position.board[from] = EMPTY;
    position.board[to] = promoted;
    position.pawnKey ^= keyLow(ZOBRIST[pawn][from]);
    position.hashKey ^= ZOBRIST[promoted][to] ^ ZOBRIST[pawn][from];
    position.pawnCount[s] -= 1;
    position.pieceBoards[promoted] |= bitOf(to);
    position.pieceBoards[pawn] ^= bitOf(from);
    position.pieceBoards[occupancyIndex(s)] ^= bitOf(from) | bitOf(to);
    occupancyFromSides();
}

inline void toggleCastlingOccupancy(MoveKind kind, const CastlingSquares& c, Side s) {
    const OccupancyBits& four = CASTLING_OCCUPANCY[kind - KIND_CASTLE_BLACK_SHORT];
    position.pieceBoards[rookOf(s)] ^= bitOf(c.rookFrom) | bitOf(c.rookTo);
    position.pieceBoards[occupancyIndex(s)] ^= four.normal;
    position.occupied ^= four.normal;
    position.occupiedRot90 ^= four.rot90;
    position.occupiedA1H8 ^= four.a1h8;
    position.occupiedH1A8 ^= four.h1a8;
}

inline void makeCastling(MoveKind kind, Side s) {
    const CastlingSquares& c = castlingSquares(kind);
    const Piece king = kingOf(s), rook = rookOf(s);
    removeRights(castleRightsOf(s));
    position.kingSquare[s] = static_cast<std::uint8_t>(c.kingTo);
    position.board[c.kingFrom] = position.board[c.rookFrom] = EMPTY;
    position.board[c.kingTo] = king;
    position.board[c.rookTo] = rook;
    position.hashKey ^= ZOBRIST[king][c.kingFrom] ^ ZOBRIST[king][c.kingTo] ^ ZOBRIST[rook][c.rookFrom] ^
                        ZOBRIST[rook][c.rookTo];
    toggleCastlingOccupancy(kind, c, s);
}

}  // namespace

void makeSpecialMove(Move move, UndoRecord& undo) {
    const Square to = moveTo(move), from = moveFrom(move);
    const MoveKind kind = moveKind(move);
    // Refused before anything changes, so a bad call leaves the position intact.
    if (kind == KIND_NO_MOVE) throw NotAMove{};
    const Side s = position.sideToMove;
    GameHistoryEntry& entry = advanceHistory(move);
    clearEnPassant();
    entry.reversibleCount = 0;  // none of these kinds is reversible
    switch (kind) {
        case KIND_EN_PASSANT: makeEnPassant(from, to, s, undo); break;
        case KIND_CASTLE_BLACK_SHORT:
        case KIND_CASTLE_WHITE_SHORT:
        case KIND_CASTLE_BLACK_LONG:
        case KIND_CASTLE_WHITE_LONG: makeCastling(kind, s); break;
        default: makePromotion(from, to, kind, s, undo); break;
    }
    finishMove(s, entry);
}

void unmakeSpecialMove(Move move, UndoRecord& undo) {
    const Square to = moveTo(move), from = moveFrom(move);
    const MoveKind kind = moveKind(move);
    if (kind == KIND_NO_MOVE) throw NotAMove{};
    const Side s = position.sideToMove ^ 1, o = s ^ 1;
    restoreSavedFields(s, undo);
    switch (kind) {
        case KIND_EN_PASSANT: {
            const Square v = to + EP_CAPTURE_OFFSET[s];
            position.board[from] = position.board[to];
            position.board[to] = EMPTY;
            position.totalMaterial += 1;
            position.pawnCount[o] += 1;
            position.board[v] = undo.capturedPiece;
            putBackCaptured(undo.capturedPiece, v, o);
            position.pieceBoards[position.board[from]] = undo.movedPieceBoard;
            break;
        }
        case KIND_CASTLE_BLACK_SHORT:
        case KIND_CASTLE_WHITE_SHORT:
        case KIND_CASTLE_BLACK_LONG:
        case KIND_CASTLE_WHITE_LONG: {
            const CastlingSquares& c = castlingSquares(kind);
            position.castleRights = undo.savedCastleRights;
            position.kingSquare[s] = static_cast<std::uint8_t>(c.kingFrom);
            position.board[c.kingTo] = position.board[c.rookTo] = EMPTY;
            position.board[c.kingFrom] = kingOf(s);
            position.board[c.rookFrom] = rookOf(s);
            position.pieceBoards[rookOf(s)] ^= bitOf(c.rookFrom) | bitOf(c.rookTo);
            break;
        }
        default: {  // promotions
            const Piece promoted = position.board[to];
            position.totalMaterial -= undo.materialDelta;
            position.pawnCount[s] += 1;
            position.pieceMaterial[s] -= PIECE_UNITS[promoted];
            position.board[from] = pawnOf(s);
            position.pieceBoards[pawnOf(s)] = undo.movedPieceBoard;
            position.pieceBoards[promoted] ^= bitOf(to);
            if (kind >= KIND_CAPTURE_PROMOTE_QUEEN) {
                position.castleRights = undo.savedCastleRights;
                position.pieceMaterial[o] += PIECE_UNITS[undo.capturedPiece];
                putBackCaptured(undo.capturedPiece, to, o);
                position.board[to] = undo.capturedPiece;
            } else {
                position.board[to] = EMPTY;
            }
            break;
        }
    }
    retreatHistory();
}
