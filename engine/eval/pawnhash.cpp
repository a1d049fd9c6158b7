#include "eval/pawnhash.h"

#include <cstring>

std::uint32_t pawnHashTable[PAWN_HASH_SIZE];

void clearPawnHashTable() { std::memset(pawnHashTable, 0, sizeof pawnHashTable); }
