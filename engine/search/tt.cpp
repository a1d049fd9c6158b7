#include "search/tt.h"

#include <cstring>

HashEntry transpositionTable[TT_BUCKETS][TT_BUCKET_SIZE];
std::uint16_t hashAge = 1;

void clearTranspositionTable() { std::memset(transpositionTable, 0, sizeof transpositionTable); }
