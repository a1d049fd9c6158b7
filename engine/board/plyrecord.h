// Per-ply state: undo information, check information, the ply's move-list
// stretch, the table probe result, killers and history keys.
#pragma once

#include "board/position.h"

// The history-phase ordering keys live beside the move list (one per entry), not
// here: a node can have more untried moves than a fixed per-ply array holds.
struct PlyRecord {
    Bitboard checkers;
    Bitboard kingOrthLines;
    Bitboard kingDiagLines;
    Bitboard savedOccupied;
    Bitboard savedSideOccupancy;  // occupancy of the side to move before the move
    Bitboard movedPieceBoard;
    Bitboard savedOccupiedRot90;
    Bitboard savedOccupiedA1H8;
    Bitboard savedOccupiedH1A8;
    HashKey savedHashKey;
    std::uint32_t savedPawnKey;
    MoveEntry* moveCursor;
    MoveEntry* moveListEnd;  // nullptr while the ply's list is not generated
    std::int16_t ttScore;
    Move hashMove;
    Move killer1;
    Move killer2;
    std::uint16_t savedCastleRights;
    std::uint8_t savedEpSquare;
    std::uint8_t ttDepth;
    Piece capturedPiece;
    std::int8_t materialDelta;
};

inline constexpr int PLY_RECORD_COUNT = 136;

extern PlyRecord plyRecords[PLY_RECORD_COUNT];
extern PlyRecord* currentPly;

// Saves what unmakeMove restores by copy, from the current position into ply.
inline void saveUndoInfo(PlyRecord& ply) {
    ply.savedOccupied = position.occupied;
    ply.savedSideOccupancy = position.sidePieces(position.sideToMove);
    ply.savedOccupiedRot90 = position.occupiedRot90;
    ply.savedOccupiedA1H8 = position.occupiedA1H8;
    ply.savedOccupiedH1A8 = position.occupiedH1A8;
    ply.savedHashKey = position.hashKey;
    ply.savedPawnKey = position.pawnKey;
    ply.savedCastleRights = position.castleRights;
    ply.savedEpSquare = position.epSquare;
}

// Zeroes both killers of every record (done by every set-up).
void clearKillers();
