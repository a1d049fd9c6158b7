// The undo record of one move: what makeMove saves or notes so that unmakeMove
// can restore the position exactly. Whoever makes a move owns its record (the
// search one per ply, the game one per game move, each tool its own).
#pragma once

#include "board/position.h"

struct UndoRecord {
    Bitboard savedOccupied;
    Bitboard savedSideOccupancy;  // occupancy of the side to move before the move
    Bitboard movedPieceBoard;
    Bitboard savedOccupiedRot90;
    Bitboard savedOccupiedA1H8;
    Bitboard savedOccupiedH1A8;
    HashKey savedHashKey;
    std::uint32_t savedPawnKey;
    std::uint16_t savedCastleRights;
    std::uint8_t savedEpSquare;
    Piece capturedPiece;
    std::int8_t materialDelta;
};

// Saves what unmakeMove restores by copy, from pos into undo.
[[gnu::always_inline]] inline void saveUndoInfo(const Position& pos, UndoRecord& undo) {
    undo.savedOccupied = pos.occupied;
    undo.savedSideOccupancy = pos.sidePieces(pos.sideToMove);
    undo.savedOccupiedRot90 = pos.occupiedRot90;
    undo.savedOccupiedA1H8 = pos.occupiedA1H8;
    undo.savedOccupiedH1A8 = pos.occupiedH1A8;
    undo.savedHashKey = pos.hashKey;
    undo.savedPawnKey = pos.pawnKey;
    undo.savedCastleRights = pos.castleRights;
    undo.savedEpSquare = pos.epSquare;
}
