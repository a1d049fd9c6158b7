#include "front/enginecontrol.h"

#include "front/log.h"
#include "front/state.h"

void StopEngine() {
    logLine("-M: entered StopEngine");
    engineState = ENGINE_IDLE;
    searchStartMs = 0;
    stopFlag = 1;
    // No search thread exists yet, so nothing runs that could need waiting for.
    logLine("-M: exited StopEngine");
}
