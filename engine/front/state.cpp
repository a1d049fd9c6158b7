#include "front/state.h"

std::atomic<EngineState> engineState{ENGINE_IDLE};
std::atomic<std::uint8_t> ponderEnabled{1};
std::atomic<std::uint8_t> lastMoveFromBook{0};

bool positionReady = false;
