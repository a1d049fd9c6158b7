// Playing a move on the global position and taking it back.
#pragma once

#include "board/undo.h"
#include "board/zobrist.h"

// Thrown (carrying false) when asked to make or unmake a move of kind 3.
struct NotAMove {
    bool value = false;
};

// Plays move; undo must already hold the saved fields (saveUndoInfo).
inline void makeMove(Move move, UndoRecord& undo);
// Takes back move, the last one made, through the same record.
inline void unmakeMove(Move move, UndoRecord& undo);

// The same two, for a caller that knows the mover (always the side to move before
// the move): a loop specialised by side passes a constant and the side's indices fold away.
inline void makeMoveBy(Side mover, Move move, UndoRecord& undo);
inline void unmakeMoveBy(Side mover, Move move, UndoRecord& undo);

// Kinds 2 to 15 (en passant, kind 3, promotions, castling): rare enough to stay
// out of line, so that the inlined quiet and capture paths stay small.
void makeSpecialMove(Move move, UndoRecord& undo);
void unmakeSpecialMove(Move move, UndoRecord& undo);

// ---- Shared by the inline paths and the special kinds ----------------------------
namespace makemove_detail {

// The castle right tied to each corner square, 0 for every other square.
inline constexpr std::array<std::uint16_t, 64> CORNER_RIGHT = [] {
    std::array<std::uint16_t, 64> rights{};
    rights[SQ_A8] = CASTLE_BLACK_LONG;
    rights[SQ_H8] = CASTLE_BLACK_SHORT;
    rights[SQ_A1] = CASTLE_WHITE_LONG;
    rights[SQ_H1] = CASTLE_WHITE_SHORT;
    return rights;
}();

inline void xorKeys(HashKey key, bool pawnStructure) {
    position.hashKey ^= key;
    if (pawnStructure) position.pawnKey ^= keyLow(key);
}

// Removes those of `rights` that are set, each with its key.
inline void removeRights(std::uint16_t rights) {
    const std::uint16_t lost = position.castleRights & rights;
    if (!lost) return;
    position.hashKey ^= CASTLE_RIGHTS_KEY[lost];
    position.castleRights &= ~lost;
}

// Every kind: any en-passant square dies with the move.
inline void clearEnPassant() {
    if (!position.epSquare) return;
    xorKeys(epKey(position.epSquare), true);
    position.epSquare = 0;
}

// Every kind, first: the move leaves the current entry; the next one is the new
// position's. Its move is already 0: no entry above historyTop keeps a move (unmaking
// clears the move of the entry it returns to, and set-up and compaction clear theirs).
inline GameHistoryEntry& advanceHistory(Move move) {
    GameHistoryEntry* const previous = historyTop;
    previous->move = move;
    historyTop = previous + 1;
    return *historyTop;
}

// One 8-byte load that the compiler may not merge with its neighbour's: unmakeMove
// restores the occupancies one by one, and a 16-byte load spanning two such fresh
// stores cannot take its data from them, so it waits until both have been written.
inline Bitboard loadAlone(const Bitboard& board) { return *static_cast<const volatile Bitboard*>(&board); }

// Kinds 0 and 1: from empties, to is occupied afterwards. Since to was empty before a
// quiet move and occupied before a capture, setting its bit is right for both.
inline void moveOccupancy(Square from, Square to) {
    const OccupancyBits& f = OCCUPANCY_BITS[from];
    const OccupancyBits& t = OCCUPANCY_BITS[to];
    position.occupied = (loadAlone(position.occupied) ^ f.normal) | t.normal;
    position.occupiedRot90 = (loadAlone(position.occupiedRot90) ^ f.rot90) | t.rot90;
    position.occupiedA1H8 = (loadAlone(position.occupiedA1H8) ^ f.a1h8) | t.a1h8;
    position.occupiedH1A8 = (loadAlone(position.occupiedH1A8) ^ f.h1a8) | t.h1a8;
}

// Removes the piece captured on `to` (kinds 1 and 8-11) and the right of a captured corner rook.
[[gnu::always_inline]] inline Piece removeCaptured(Square to, Side o) {
    const Piece captured = position.board[to];
    position.pieceBoards[captured] ^= bitOf(to);
    position.pieceBoards[occupancyIndex(o)] ^= bitOf(to);
    xorKeys(ZOBRIST[captured][to], isPawn(captured));
    removeRights(CORNER_RIGHT[to]);
    return captured;
}

// Kind 1's own part: the captured piece leaves, with its material.
[[gnu::always_inline]] inline void takeCapturedPiece(Square to, Side o, UndoRecord& undo) {
    const Piece captured = removeCaptured(to, o);
    const int delta = -PIECE_UNITS[captured];
    undo.capturedPiece = captured;
    undo.materialDelta = static_cast<std::int8_t>(delta);
    position.totalMaterial = static_cast<std::uint8_t>(position.totalMaterial + delta);
    if (isPawn(captured))
        position.pawnCount[o] -= 1;
    else
        position.pieceMaterial[o] = static_cast<std::uint8_t>(position.pieceMaterial[o] + delta);
}

// Kinds 0 and 1 after their own part: the piece on `from` goes to `to`.
inline void moveOwnPiece(Square from, Square to, Side s, UndoRecord& undo, GameHistoryEntry& entry) {
    const Bitboard m = bitOf(from) | bitOf(to);
    const Piece p = position.board[from];
    const HashKey moveKey = ZOBRIST[p][from] ^ ZOBRIST[p][to];
    position.board[to] = p;
    position.board[from] = EMPTY;
    position.pieceBoards[occupancyIndex(s)] ^= m;
    if (p >= WHITE_KING) {  // kings have no piece board, only their square
        position.kingSquare[s] = static_cast<std::uint8_t>(to);
        position.hashKey ^= moveKey;
        removeRights(castleRightsOf(s));
        return;
    }
    undo.movedPieceBoard = position.pieceBoards[p];
    position.pieceBoards[p] ^= m;
    if (isPawn(p)) {
        entry.reversibleCount = 0;
        if (from - to == 16 || to - from == 16) {
            position.epSquare = static_cast<std::uint8_t>((from + to) / 2);
            xorKeys(epKey(position.epSquare), true);
        }
        xorKeys(moveKey, true);
        return;
    }
    position.hashKey ^= moveKey;
    if (p == WHITE_ROOK || p == BLACK_ROOK) removeRights(CORNER_RIGHT[from]);
}

// Every kind, last: the other side is to move, and the new entry gets its key.
inline void finishMove(Side s, GameHistoryEntry& entry) {
    position.sideToMove = s ^ 1;
    entry.setKey(position.hashKey);
}

// First when unmaking: what the caller saved is copied back.
inline void restoreSavedFields(Side s, const UndoRecord& undo) {
    position.sideToMove = s;
    position.occupiedRot90 = undo.savedOccupiedRot90;
    position.occupiedA1H8 = undo.savedOccupiedA1H8;
    position.occupiedH1A8 = undo.savedOccupiedH1A8;
    position.occupied = undo.savedOccupied;
    position.pieceBoards[occupancyIndex(s)] = undo.savedSideOccupancy;
    position.epSquare = undo.savedEpSquare;
    position.hashKey = undo.savedHashKey;
    position.pawnKey = undo.savedPawnKey;
}

inline void putBackCaptured(Piece captured, Square sq, Side o) {
    position.pieceBoards[captured] |= bitOf(sq);
    position.pieceBoards[occupancyIndex(o)] |= bitOf(sq);
}

// Last step of unmaking: the previous entry again has no move played from it.
inline void retreatHistory() { (--historyTop)->move = 0; }

}  // namespace makemove_detail

// Quiet moves and captures are nearly every move made, so their paths are inlined
// into the callers (forced: otherwise the linker keeps whichever out-of-line copy
// it meets first), sparing the call and the register saves around it.
[[gnu::always_inline]] inline void makeMoveBy(Side s, Move move, UndoRecord& undo) {
    using namespace makemove_detail;
    const MoveKind kind = moveKind(move);
    if (kind > KIND_CAPTURE) return makeSpecialMove(move, undo);
    const Square to = moveTo(move), from = moveFrom(move);
    GameHistoryEntry& entry = advanceHistory(move);
    clearEnPassant();
    // A capture is irreversible: the count restarts.
    std::uint16_t reversibleCount = 0;
    if (kind == KIND_CAPTURE)
        takeCapturedPiece(to, s ^ 1, undo);
    else
        reversibleCount = static_cast<std::uint16_t>((&entry - 1)->reversibleCount + 1);
    entry.reversibleCount = reversibleCount;
    moveOccupancy(from, to);
    moveOwnPiece(from, to, s, undo, entry);
    finishMove(s, entry);
}

[[gnu::always_inline]] inline void makeMove(Move move, UndoRecord& undo) { makeMoveBy(position.sideToMove, move, undo); }

// Drops any en-passant square with its key, as every move does (for the null move
// and a change of the side to move).
inline void clearEnPassantSquare() { makemove_detail::clearEnPassant(); }

[[gnu::always_inline]] inline void unmakeMoveBy(Side s, Move move, UndoRecord& undo) {
    using namespace makemove_detail;
    const MoveKind kind = moveKind(move);
    if (kind > KIND_CAPTURE) return unmakeSpecialMove(move, undo);
    const Square to = moveTo(move), from = moveFrom(move);
    const Side o = s ^ 1;
    restoreSavedFields(s, undo);
    position.castleRights = undo.savedCastleRights;
    const Piece p = position.board[to];
    if (to == position.kingSquare[s])
        position.kingSquare[s] = static_cast<std::uint8_t>(from);
    else
        position.pieceBoards[p] = undo.movedPieceBoard;
    position.board[from] = p;
    if (kind == KIND_QUIET) {
        position.board[to] = EMPTY;
    } else {
        const Piece captured = undo.capturedPiece;
        position.totalMaterial = static_cast<std::uint8_t>(position.totalMaterial - undo.materialDelta);
        if (isPawn(captured))
            position.pawnCount[o] += 1;
        else
            position.pieceMaterial[o] = static_cast<std::uint8_t>(position.pieceMaterial[o] - undo.materialDelta);
        putBackCaptured(captured, to, o);
        position.board[to] = captured;
    }
    retreatHistory();
}

[[gnu::always_inline]] inline void unmakeMove(Move move, UndoRecord& undo) {
    unmakeMoveBy(position.sideToMove ^ 1, move, undo);
}
