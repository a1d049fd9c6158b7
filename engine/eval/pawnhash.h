// Cache of pawn-structure scores, indexed by the low 19 bits of the pawn key.
//
// An entry holds bits 19..31 of the pawn key that wrote it, in bits 16..18 the
// pawn table in force when it was written (the score includes that table's
// values, and the table changes with the pieces on the board, which the pawn
// key does not see), and in bits 0..15 the score plus PAWN_SCORE_BIAS as a
// 16-bit number. An all-zero entry is empty.
#pragma once

#include <cstdint>
#include <memory>

inline constexpr int PAWN_HASH_BITS = 19;
inline constexpr std::uint32_t PAWN_HASH_SIZE = 1u << PAWN_HASH_BITS;
inline constexpr std::uint32_t PAWN_HASH_INDEX_MASK = PAWN_HASH_SIZE - 1;
inline constexpr int PAWN_SCORE_BIAS = 8190;
inline constexpr int PAWN_TABLE_SHIFT = 16;
inline constexpr std::uint32_t PAWN_TABLE_FIELD = 7u << PAWN_TABLE_SHIFT;
inline constexpr std::uint32_t PAWN_SCORE_FIELD = 0xFFFFu;

// One per search worker: the structures one search meets stay in its own cache.
class PawnHashTable {
public:
    PawnHashTable();
    PawnHashTable(const PawnHashTable&) = delete;
    PawnHashTable& operator=(const PawnHashTable&) = delete;

    // Empties the whole table (done whenever a game starts).
    void clear();

    // The cached score of the structure with this key under pawn table pawnTableId (0..7).
    bool probe(std::uint32_t pawnKey, int pawnTableId, int& score) const {
        const std::uint32_t entry = entries_[pawnKey & PAWN_HASH_INDEX_MASK];
        const std::uint32_t tag = (pawnKey & ~PAWN_HASH_INDEX_MASK) | (std::uint32_t(pawnTableId) << PAWN_TABLE_SHIFT);
        const std::uint32_t biased = entry & PAWN_SCORE_FIELD;
        if ((entry & ~PAWN_SCORE_FIELD) != tag || biased == 0) return false;
        score = static_cast<int>(biased) - PAWN_SCORE_BIAS;
        return true;
    }

    // Always overwrites the key's entry.
    void store(std::uint32_t pawnKey, int pawnTableId, int score) {
        const std::uint32_t biased = static_cast<std::uint16_t>(score + PAWN_SCORE_BIAS);
        entries_[pawnKey & PAWN_HASH_INDEX_MASK] =
            (pawnKey & ~PAWN_HASH_INDEX_MASK) | (std::uint32_t(pawnTableId) << PAWN_TABLE_SHIFT) | biased;
    }

private:
    std::unique_ptr<std::uint32_t[]> entries_;
};
