// The transposition table: 2^20 buckets of three entries, the black half first.
#pragma once

#include <cstdint>

struct HashEntry {
    std::uint32_t word0;  // move (bits 0-15), bits 16-31 of the key's low half
    std::uint32_t word1;  // the key's high half
    std::uint32_t word2;  // depth 0-6, bound 7-8, age 9-17, score + 8190 in 18-31
};
static_assert(sizeof(HashEntry) == 12);

inline constexpr int TT_HALF_BITS = 19;
inline constexpr std::uint32_t TT_BUCKETS = 1u << (TT_HALF_BITS + 1);
inline constexpr int TT_BUCKET_SIZE = 3;

extern HashEntry transpositionTable[TT_BUCKETS][TT_BUCKET_SIZE];
extern std::uint16_t hashAge;

void clearTranspositionTable();
