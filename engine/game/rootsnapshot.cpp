#include "game/rootsnapshot.h"
#include "game/gameposition.h"

#include <cstring>

#include "board/position.h"

RootSnapshot rootSnapshot;

void refreshRootSnapshot() {
    std::memcpy(rootSnapshot.rootBoard, gamePosition.board, sizeof rootSnapshot.rootBoard);
    rootSnapshot.rootSide = gamePosition.sideToMove;
    rootSnapshot.rootEpSquare = gamePosition.epSquare;
    rootSnapshot.rootCastleRights = gamePosition.castleRights;
    rootSnapshot.rootWhiteKingSquare = gamePosition.kingSquare[WHITE];
    rootSnapshot.rootBlackKingSquare = gamePosition.kingSquare[BLACK];
}
