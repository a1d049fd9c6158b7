// Playing a move on a position and taking it back.
#pragma once

#include "board/undo.h"
#include "board/zobrist.h"

// Thrown (carrying false) when asked to make or unmake a move of kind 3.
struct NotAMove {
    bool value = false;
};

// Plays move; undo must already hold the saved fields (saveUndoInfo).
inline void makeMove(Position& pos, Move move, UndoRecord& undo);
// Takes back move, the last one made, through the same record.
inline void unmakeMove(Position& pos, Move move, UndoRecord& undo);

// The same two, for a caller that knows the mover (always the side to move before
// the move): a loop specialised by side passes a constant and the side's indices fold away.
inline void makeMoveBy(Position& pos, Side mover, Move move, UndoRecord& undo);
inline void unmakeMoveBy(Position& pos, Side mover, Move move, UndoRecord& undo);

// Kinds 2 to 15 (en passant, kind 3, promotions, castling): rare enough to stay
// out of line, so that the inlined quiet and capture paths stay small.
void makeSpecialMove(Position& pos, Move move, UndoRecord& undo);
void unmakeSpecialMove(Position& pos, Move move, UndoRecord& undo);

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

inline void xorKeys(Position& pos, HashKey key, bool pawnStructure) {
    pos.hashKey ^= key;
    if (pawnStructure) pos.pawnKey ^= keyLow(key);
}

// Removes those of `rights` that are set, each with its key.
[[gnu::always_inline]] inline void removeRights(Position& pos, std::uint16_t rights) {
    const std::uint16_t lost = pos.castleRights & rights;
    if (!lost) return;
    pos.hashKey ^= CASTLE_RIGHTS_KEY[lost];
    pos.castleRights &= ~lost;
}

// Every kind: any en-passant square dies with the move.
inline void clearEnPassant(Position& pos) {
    if (!pos.epSquare) return;
    xorKeys(pos, epKey(pos.epSquare), true);
    pos.epSquare = 0;
}

// Every kind, first: the move leaves the current entry; the next one is the new
// position's. Its move is already 0: no entry above the top keeps a move (unmaking
// clears the move of the entry it returns to, and set-up and compaction clear theirs).
inline GameHistoryEntry& advanceHistory(Position& pos, Move move) {
    GameHistoryEntry* const previous = pos.historyTop;
    previous->move = move;
    pos.historyTop = previous + 1;
    return *pos.historyTop;
}

// One 8-byte load that the compiler may not merge with its neighbour's: unmakeMove
// restores the occupancies one by one, and a 16-byte load spanning two such fresh
// stores cannot take its data from them, so it waits until both have been written.
inline Bitboard loadAlone(const Bitboard& board) { return *static_cast<const volatile Bitboard*>(&board); }

// Kinds 0 and 1: from empties, to is occupied afterwards. Since to was empty before a
// quiet move and occupied before a capture, setting its bit is right for both.
[[gnu::always_inline]] inline void moveOccupancy(Position& pos, Square from, Square to) {
    const OccupancyBits& f = OCCUPANCY_BITS[from];
    const OccupancyBits& t = OCCUPANCY_BITS[to];
    pos.occupied = (loadAlone(pos.occupied) ^ f.normal) | t.normal;
    pos.occupiedRot90 = (loadAlone(pos.occupiedRot90) ^ f.rot90) | t.rot90;
    pos.occupiedA1H8 = (loadAlone(pos.occupiedA1H8) ^ f.a1h8) | t.a1h8;
    pos.occupiedH1A8 = (loadAlone(pos.occupiedH1A8) ^ f.h1a8) | t.h1a8;
}

// Removes the piece captured on `to` (kinds 1 and 8-11) and the right of a captured corner rook.
[[gnu::always_inline]] inline Piece removeCaptured(Position& pos, Square to, Side o) {
    const Piece captured = pos.board[to];
    pos.pieceBoards[captured] ^= bitOf(to);
    pos.pieceBoards[occupancyIndex(o)] ^= bitOf(to);
    xorKeys(pos, ZOBRIST[captured][to], isPawn(captured));
    removeRights(pos, CORNER_RIGHT[to]);
    return captured;
}

// Kind 1's own part: the captured piece leaves, with its material.
[[gnu::always_inline]] inline void takeCapturedPiece(Position& pos, Square to, Side o, UndoRecord& undo) {
    const Piece captured = removeCaptured(pos, to, o);
    const int delta = -PIECE_UNITS[captured];
    undo.capturedPiece = captured;
    undo.materialDelta = static_cast<std::int8_t>(delta);
    pos.totalMaterial = static_cast<std::uint8_t>(pos.totalMaterial + delta);
    if (isPawn(captured))
        pos.pawnCount[o] -= 1;
    else
        pos.pieceMaterial[o] = static_cast<std::uint8_t>(pos.pieceMaterial[o] + delta);
}

// Kinds 0 and 1 after their own part: the piece on `from` goes to `to`.
[[gnu::always_inline]] inline void moveOwnPiece(Position& pos, Square from, Square to, Side s, UndoRecord& undo,
                                                GameHistoryEntry& entry) {
    const Bitboard m = bitOf(from) | bitOf(to);
    const Piece p = pos.board[from];
    const HashKey moveKey = ZOBRIST[p][from] ^ ZOBRIST[p][to];
    pos.board[to] = p;
    pos.board[from] = EMPTY;
    pos.pieceBoards[occupancyIndex(s)] ^= m;
    if (p >= WHITE_KING) {  // kings have no piece board, only their square
        pos.kingSquare[s] = static_cast<std::uint8_t>(to);
        pos.hashKey ^= moveKey;
        removeRights(pos, castleRightsOf(s));
        return;
    }
    undo.movedPieceBoard = pos.pieceBoards[p];
    pos.pieceBoards[p] ^= m;
    if (isPawn(p)) {
        entry.reversibleCount = 0;
        if (from - to == 16 || to - from == 16) {
            pos.epSquare = static_cast<std::uint8_t>((from + to) / 2);
            xorKeys(pos, epKey(pos.epSquare), true);
        }
        xorKeys(pos, moveKey, true);
        return;
    }
    pos.hashKey ^= moveKey;
    if (p == WHITE_ROOK || p == BLACK_ROOK) removeRights(pos, CORNER_RIGHT[from]);
}

// Every kind, last: the other side is to move, and the new entry gets its key.
inline void finishMove(Position& pos, Side s, GameHistoryEntry& entry) {
    pos.sideToMove = s ^ 1;
    entry.setKey(pos.hashKey);
}

// First when unmaking: what the caller saved is copied back.
inline void restoreSavedFields(Position& pos, Side s, const UndoRecord& undo) {
    pos.sideToMove = s;
    pos.occupiedRot90 = undo.savedOccupiedRot90;
    pos.occupiedA1H8 = undo.savedOccupiedA1H8;
    pos.occupiedH1A8 = undo.savedOccupiedH1A8;
    pos.occupied = undo.savedOccupied;
    pos.pieceBoards[occupancyIndex(s)] = undo.savedSideOccupancy;
    pos.epSquare = undo.savedEpSquare;
    pos.hashKey = undo.savedHashKey;
    pos.pawnKey = undo.savedPawnKey;
}

inline void putBackCaptured(Position& pos, Piece captured, Square sq, Side o) {
    pos.pieceBoards[captured] |= bitOf(sq);
    pos.pieceBoards[occupancyIndex(o)] |= bitOf(sq);
}

// Last step of unmaking: the previous entry again has no move played from it.
inline void retreatHistory(Position& pos) { (--pos.historyTop)->move = 0; }

}  // namespace makemove_detail

// Quiet moves and captures are nearly every move made, so their paths are inlined
// into the callers (forced: otherwise the linker keeps whichever out-of-line copy
// it meets first), sparing the call and the register saves around it.
[[gnu::always_inline]] inline void makeMoveBy(Position& pos, Side s, Move move, UndoRecord& undo) {
    using namespace makemove_detail;
    const MoveKind kind = moveKind(move);
    if (kind > KIND_CAPTURE) return makeSpecialMove(pos, move, undo);
    const Square to = moveTo(move), from = moveFrom(move);
    GameHistoryEntry& entry = advanceHistory(pos, move);
    clearEnPassant(pos);
    // A capture is irreversible: the count restarts.
    std::uint16_t reversibleCount = 0;
    if (kind == KIND_CAPTURE)
        takeCapturedPiece(pos, to, s ^ 1, undo);
    else
        reversibleCount = static_cast<std::uint16_t>((&entry - 1)->reversibleCount + 1);
    entry.reversibleCount = reversibleCount;
    moveOccupancy(pos, from, to);
    moveOwnPiece(pos, from, to, s, undo, entry);
    finishMove(pos, s, entry);
}

[[gnu::always_inline]] inline void makeMove(Position& pos, Move move, UndoRecord& undo) {
    makeMoveBy(pos, pos.sideToMove, move, undo);
}

// Drops any en-passant square with its key, as every move does (for the null move
// and a change of the side to move).
inline void clearEnPassantSquare(Position& pos) { makemove_detail::clearEnPassant(pos); }

[[gnu::always_inline]] inline void unmakeMoveBy(Position& pos, Side s, Move move, UndoRecord& undo) {
    using namespace makemove_detail;
    const MoveKind kind = moveKind(move);
    if (kind > KIND_CAPTURE) return unmakeSpecialMove(pos, move, undo);
    const Square to = moveTo(move), from = moveFrom(move);
    const Side o = s ^ 1;
    restoreSavedFields(pos, s, undo);
    pos.castleRights = undo.savedCastleRights;
    const Piece p = pos.board[to];
    if (to == pos.kingSquare[s])
        pos.kingSquare[s] = static_cast<std::uint8_t>(from);
    else
        pos.pieceBoards[p] = undo.movedPieceBoard;
    pos.board[from] = p;
    if (kind == KIND_QUIET) {
        pos.board[to] = EMPTY;
    } else {
        const Piece captured = undo.capturedPiece;
        pos.totalMaterial = static_cast<std::uint8_t>(pos.totalMaterial - undo.materialDelta);
        if (isPawn(captured))
            pos.pawnCount[o] += 1;
        else
            pos.pieceMaterial[o] = static_cast<std::uint8_t>(pos.pieceMaterial[o] - undo.materialDelta);
        putBackCaptured(pos, captured, to, o);
        pos.board[to] = captured;
    }
    retreatHistory(pos);
}

[[gnu::always_inline]] inline void unmakeMove(Position& pos, Move move, UndoRecord& undo) {
    unmakeMoveBy(pos, pos.sideToMove ^ 1, move, undo);
}
