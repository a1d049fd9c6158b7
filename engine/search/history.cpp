#include "search/history.h"

#include <cstring>

std::uint32_t historyTable[2][4096];

void clearHistoryTable() { std::memset(historyTable, 0, sizeof historyTable); }
