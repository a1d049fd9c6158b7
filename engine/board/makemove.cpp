// The rare kinds of makeMove and unmakeMove: en passant, promotions, castling and
// the refusal of kind 3. Quiet moves and captures are inline in makemove.h.
#include "board/makemove.h"

#include "board/castling.h"

using namespace makemove_detail;

namespace {

inline constexpr int EP_CAPTURE_OFFSET[2] = {-8, +8};  // [mover]: the captured pawn stands behind to

inline void toggleRotated(Position& pos, Square s) {
    pos.occupiedRot90 ^= SQUARE_BIT_90[s];
    pos.occupiedA1H8 ^= SQUARE_BIT_A1H8[s];
    pos.occupiedH1A8 ^= SQUARE_BIT_H1A8[s];
}

inline void setRotated(Position& pos, Square s) {
    pos.occupiedRot90 |= SQUARE_BIT_90[s];
    pos.occupiedA1H8 |= SQUARE_BIT_A1H8[s];
    pos.occupiedH1A8 |= SQUARE_BIT_H1A8[s];
}

inline void occupancyFromSides(Position& pos) { pos.occupied = pos.pieceBoards[11] | pos.pieceBoards[12]; }

inline void makeEnPassant(Position& pos, Square from, Square to, Side s, UndoRecord& undo) {
    const Side o = s ^ 1;
    const Square v = to + EP_CAPTURE_OFFSET[s];
    const Piece p = pos.board[from];
    const Piece captured = pos.board[v];
    const Bitboard m = bitOf(from) | bitOf(to);
    undo.movedPieceBoard = pos.pieceBoards[p];
    undo.capturedPiece = captured;
    pos.board[to] = p;
    pos.board[from] = EMPTY;
    pos.board[v] = EMPTY;
    pos.totalMaterial -= 1;
    pos.pawnCount[o] -= 1;
    xorKeys(pos, ZOBRIST[captured][v] ^ ZOBRIST[p][to] ^ ZOBRIST[p][from], true);
    pos.pieceBoards[captured] ^= bitOf(v);
    pos.pieceBoards[occupancyIndex(o)] ^= bitOf(v);
    pos.pieceBoards[p] ^= m;
    pos.pieceBoards[occupancyIndex(s)] ^= m;
    occupancyFromSides(pos);
    pos.occupiedRot90 ^= SQUARE_BIT_90[from] ^ EP_TOGGLE_90[to];
    pos.occupiedA1H8 ^= SQUARE_BIT_A1H8[from] ^ EP_TOGGLE_A1H8[to];
    pos.occupiedH1A8 ^= SQUARE_BIT_H1A8[from] ^ EP_TOGGLE_H1A8[to];
}

inline void makePromotion(Position& pos, Square from, Square to, MoveKind kind, Side s, UndoRecord& undo) {
    const Side o = s ^ 1;
    const Piece blackCode = promotionBlackCode(kind);
    const int gain = PIECE_UNITS[blackCode] - 1;
    const Piece promoted = static_cast<Piece>(blackCode - s);
    const Piece pawn = pawnOf(s);
    int delta = gain;
    if (kind < KIND_CAPTURE_PROMOTE_QUEEN) {
        setRotated(pos, to);
    } else {
        const Piece captured = removeCaptured(pos, to, o);
        undo.capturedPiece = captured;
        pos.pieceMaterial[o] -= PIECE_UNITS[captured];
        delta -= PIECE_UNITS[captured];
    }
    undo.materialDelta = static_cast<std::int8_t>(delta);
    pos.totalMaterial += delta;
    pos.pieceMaterial[s] += gain + 1;
    toggleRotated(pos, from);
    undo.movedPieceBoard = pos.pieceBoards[pawn];
    pos.board[from] = EMPTY;
    pos.board[to] = promoted;
    pos.pawnKey ^= keyLow(ZOBRIST[pawn][from]);
    pos.hashKey ^= ZOBRIST[promoted][to] ^ ZOBRIST[pawn][from];
    pos.pawnCount[s] -= 1;
    pos.pieceBoards[promoted] |= bitOf(to);
    pos.pieceBoards[pawn] ^= bitOf(from);
    pos.pieceBoards[occupancyIndex(s)] ^= bitOf(from) | bitOf(to);
    occupancyFromSides(pos);
}

inline void toggleCastlingOccupancy(Position& pos, MoveKind kind, const CastlingSquares& c, Side s) {
    const OccupancyBits& four = CASTLING_OCCUPANCY[kind - KIND_CASTLE_BLACK_SHORT];
    pos.pieceBoards[rookOf(s)] ^= bitOf(c.rookFrom) | bitOf(c.rookTo);
    pos.pieceBoards[occupancyIndex(s)] ^= four.normal;
    pos.occupied ^= four.normal;
    pos.occupiedRot90 ^= four.rot90;
    pos.occupiedA1H8 ^= four.a1h8;
    pos.occupiedH1A8 ^= four.h1a8;
}

inline void makeCastling(Position& pos, MoveKind kind, Side s) {
    const CastlingSquares& c = castlingSquares(kind);
    const Piece king = kingOf(s), rook = rookOf(s);
    removeRights(pos, castleRightsOf(s));
    pos.kingSquare[s] = static_cast<std::uint8_t>(c.kingTo);
    pos.board[c.kingFrom] = pos.board[c.rookFrom] = EMPTY;
    pos.board[c.kingTo] = king;
    pos.board[c.rookTo] = rook;
    pos.hashKey ^= ZOBRIST[king][c.kingFrom] ^ ZOBRIST[king][c.kingTo] ^ ZOBRIST[rook][c.rookFrom] ^
                        ZOBRIST[rook][c.rookTo];
    toggleCastlingOccupancy(pos, kind, c, s);
}

}  // namespace

void makeSpecialMove(Position& pos, Move move, UndoRecord& undo) {
    const Square to = moveTo(move), from = moveFrom(move);
    const MoveKind kind = moveKind(move);
    // Refused before anything changes, so a bad call leaves the position intact.
    if (kind == KIND_NO_MOVE) throw NotAMove{};
    const Side s = pos.sideToMove;
    GameHistoryEntry& entry = advanceHistory(pos, move);
    clearEnPassant(pos);
    entry.reversibleCount = 0;  // none of these kinds is reversible
    switch (kind) {
        case KIND_EN_PASSANT: makeEnPassant(pos, from, to, s, undo); break;
        case KIND_CASTLE_BLACK_SHORT:
        case KIND_CASTLE_WHITE_SHORT:
        case KIND_CASTLE_BLACK_LONG:
        case KIND_CASTLE_WHITE_LONG: makeCastling(pos, kind, s); break;
        default: makePromotion(pos, from, to, kind, s, undo); break;
    }
    finishMove(pos, s, entry);
}

void unmakeSpecialMove(Position& pos, Move move, UndoRecord& undo) {
    const Square to = moveTo(move), from = moveFrom(move);
    const MoveKind kind = moveKind(move);
    if (kind == KIND_NO_MOVE) throw NotAMove{};
    const Side s = pos.sideToMove ^ 1, o = s ^ 1;
    restoreSavedFields(pos, s, undo);
    switch (kind) {
        case KIND_EN_PASSANT: {
            const Square v = to + EP_CAPTURE_OFFSET[s];
            pos.board[from] = pos.board[to];
            pos.board[to] = EMPTY;
            pos.totalMaterial += 1;
            pos.pawnCount[o] += 1;
            pos.board[v] = undo.capturedPiece;
            putBackCaptured(pos, undo.capturedPiece, v, o);
            pos.pieceBoards[pos.board[from]] = undo.movedPieceBoard;
            break;
        }
        case KIND_CASTLE_BLACK_SHORT:
        case KIND_CASTLE_WHITE_SHORT:
        case KIND_CASTLE_BLACK_LONG:
        case KIND_CASTLE_WHITE_LONG: {
            const CastlingSquares& c = castlingSquares(kind);
            pos.castleRights = undo.savedCastleRights;
            pos.kingSquare[s] = static_cast<std::uint8_t>(c.kingFrom);
            pos.board[c.kingTo] = pos.board[c.rookTo] = EMPTY;
            pos.board[c.kingFrom] = kingOf(s);
            pos.board[c.rookFrom] = rookOf(s);
            pos.pieceBoards[rookOf(s)] ^= bitOf(c.rookFrom) | bitOf(c.rookTo);
            break;
        }
        default: {  // promotions
            const Piece promoted = pos.board[to];
            pos.totalMaterial -= undo.materialDelta;
            pos.pawnCount[s] += 1;
            pos.pieceMaterial[s] -= PIECE_UNITS[promoted];
            pos.board[from] = pawnOf(s);
            pos.pieceBoards[pawnOf(s)] = undo.movedPieceBoard;
            pos.pieceBoards[promoted] ^= bitOf(to);
            if (kind >= KIND_CAPTURE_PROMOTE_QUEEN) {
                pos.castleRights = undo.savedCastleRights;
                pos.pieceMaterial[o] += PIECE_UNITS[undo.capturedPiece];
                putBackCaptured(pos, undo.capturedPiece, to, o);
                pos.board[to] = undo.capturedPiece;
            } else {
                pos.board[to] = EMPTY;
            }
            break;
        }
    }
    retreatHistory(pos);
}
