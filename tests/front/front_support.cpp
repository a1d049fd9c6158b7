#include "front_support.h"

#include <cstdint>

#include "front/constants.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "search/searchthread.h"

void resetFrontState() {
    positionReady = false;
    engineState = ENGINE_IDLE;
    ponderEnabled = 1;
    engineControl().stopFlag = 0;
    movesPerControl = 40;
    incrementMs = 0;
    moveTimeMs = 0;
    moveLimitMs = UINT32_MAX;
    fixedMoveTimeMs = 0;
    depthLimit = NO_DEPTH_LIMIT;
    analyzeMode = false;
    ownBook = true;
}
