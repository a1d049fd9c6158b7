// The root snapshot: the game position as the interface last saw it. The live
// position may differ from it while a predicted reply is made for pondering; the
// interface's moves are read against the snapshot.
#pragma once

#include "board/types.h"

struct RootSnapshot {
    Piece rootBoard[64];
    Side rootSide;
    std::uint8_t rootEpSquare;
    std::uint16_t rootCastleRights;
    std::uint8_t rootWhiteKingSquare;
    std::uint8_t rootBlackKingSquare;
};

extern RootSnapshot rootSnapshot;

// Copies the current position into the root snapshot.
void refreshRootSnapshot();
