#include "search/control.h"

std::atomic<SearchRequest> searchRequest{REQUEST_NONE};
std::atomic<std::uint8_t> stopFlag{0};
std::atomic<std::uint32_t> maxDepth{0};
std::atomic<std::uint32_t> searchStartMs{0};
std::atomic<std::int32_t> aspirationState{0};
std::atomic<std::uint64_t> nodeLimit{NO_NODE_LIMIT};
std::atomic<bool> verdictForDrawnRoot{true};
