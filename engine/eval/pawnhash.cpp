#include "eval/pawnhash.h"

#include <cstring>

std::uint32_t pawnHashTable[PAWN_HASH_SIZE];

void clearPawnHashTable() { std::memset(pawnHashTable, 0, sizeof pawnHashTable); }

bool probePawnHash(std::uint32_t pawnKey, int pawnTableId, int& score) {
    const std::uint32_t entry = pawnHashTable[pawnKey & PAWN_HASH_INDEX_MASK];
    const std::uint32_t tag = (pawnKey & ~PAWN_HASH_INDEX_MASK) | (std::uint32_t(pawnTableId) << PAWN_TABLE_SHIFT);
    const std::uint32_t biased = entry & PAWN_SCORE_FIELD;
    if ((entry & ~PAWN_SCORE_FIELD) != tag || biased == 0) return false;
    score = static_cast<int>(biased) - PAWN_SCORE_BIAS;
    return true;
}

void storePawnHash(std::uint32_t pawnKey, int pawnTableId, int score) {
    const std::uint32_t biased = static_cast<std::uint16_t>(score + PAWN_SCORE_BIAS);
    pawnHashTable[pawnKey & PAWN_HASH_INDEX_MASK] =
        (pawnKey & ~PAWN_HASH_INDEX_MASK) | (std::uint32_t(pawnTableId) << PAWN_TABLE_SHIFT) | biased;
}
