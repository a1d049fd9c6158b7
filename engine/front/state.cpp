#include "front/state.h"

#include "search/searchconst.h"

std::atomic<EngineState> engineState{ENGINE_IDLE};
std::atomic<std::uint8_t> ponderEnabled{1};

bool positionReady = false;
bool analyzeMode = false;
bool ownBook = true;
int multiPvLines = MIN_PV_LINES;
