// Cache of pawn-structure scores, indexed by the low 19 bits of the pawn key.
#pragma once

#include <cstdint>

inline constexpr int PAWN_HASH_BITS = 19;
inline constexpr std::uint32_t PAWN_HASH_SIZE = 1u << PAWN_HASH_BITS;

extern std::uint32_t pawnHashTable[PAWN_HASH_SIZE];

void clearPawnHashTable();
