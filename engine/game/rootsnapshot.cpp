#include "game/rootsnapshot.h"

#include <cstring>

#include "board/position.h"

RootSnapshot rootSnapshot;

void refreshRootSnapshot() {
    std::memcpy(rootSnapshot.rootBoard, position.board, sizeof rootSnapshot.rootBoard);
    rootSnapshot.rootSide = position.sideToMove;
    rootSnapshot.rootEpSquare = position.epSquare;
    rootSnapshot.rootCastleRights = position.castleRights;
    rootSnapshot.rootWhiteKingSquare = position.kingSquare[WHITE];
    rootSnapshot.rootBlackKingSquare = position.kingSquare[BLACK];
}
