// Cache of pawn-structure scores, indexed by the low 19 bits of the pawn key.
//
// An entry holds bits 19..31 of the pawn key that wrote it, in bits 16..18 the
// pawn table in force when it was written (the score includes that table's
// values, and the table changes with the pieces on the board, which the pawn
// key does not see), and in bits 0..15 the score plus PAWN_SCORE_BIAS as a
// 16-bit number. An all-zero entry is empty.
#pragma once

#include <cstdint>

inline constexpr int PAWN_HASH_BITS = 19;
inline constexpr std::uint32_t PAWN_HASH_SIZE = 1u << PAWN_HASH_BITS;
inline constexpr std::uint32_t PAWN_HASH_INDEX_MASK = PAWN_HASH_SIZE - 1;
inline constexpr int PAWN_SCORE_BIAS = 8190;
inline constexpr int PAWN_TABLE_SHIFT = 16;
inline constexpr std::uint32_t PAWN_TABLE_FIELD = 7u << PAWN_TABLE_SHIFT;
inline constexpr std::uint32_t PAWN_SCORE_FIELD = 0xFFFFu;

extern std::uint32_t pawnHashTable[PAWN_HASH_SIZE];

// Empties the whole table (done whenever a game starts).
void clearPawnHashTable();

// The cached score of the structure with this key under pawn table pawnTableId (0..7).
bool probePawnHash(std::uint32_t pawnKey, int pawnTableId, int& score);

// Always overwrites the key's entry.
void storePawnHash(std::uint32_t pawnKey, int pawnTableId, int score);
