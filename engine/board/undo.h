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

// Saves what unmakeMove restores by copy, from the current position into undo.
[[gnu::always_inline]] inline void saveUndoInfo(UndoRecord& undo) {
    undo.savedOccupied = position.occupied;
    undo.savedSideOccupancy = position.sidePieces(position.sideToMove);
    undo.savedOccupiedRot90 = position.occupiedRot90;
    undo.savedOccupiedA1H8 = position.occupiedA1H8;
    undo.savedOccupiedH1A8 = position.occupiedH1A8;
    undo.savedHashKey = position.hashKey;
    undo.savedPawnKey = position.pawnKey;
    undo.savedCastleRights = position.castleRights;
    undo.savedEpSquare = position.epSquare;
}
