#include "front/state.h"

std::atomic<EngineState> engineState{ENGINE_IDLE};
std::atomic<std::uint8_t> ponderEnabled{1};

bool positionReady = false;
bool analyzeMode = false;
bool ownBook = true;
