// Move-ordering history counters, by side to move and the move's from/to bits.
#pragma once

#include <cstdint>

extern std::uint32_t historyTable[2][4096];

void clearHistoryTable();
