#include "front/state.h"

std::atomic<EngineState> engineState{ENGINE_IDLE};
std::atomic<std::uint8_t> stopFlag{0};
std::atomic<std::uint8_t> ponderEnabled{1};
std::atomic<Move> ponderMove{0};
std::atomic<std::uint8_t> lastMoveFromBook{0};
std::atomic<std::uint32_t> searchStartMs{0};
std::atomic<std::int32_t> aspirationState{0};
std::atomic<std::uint32_t> maxDepth{0};

bool positionReady = false;
