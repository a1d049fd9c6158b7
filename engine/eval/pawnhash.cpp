#include "eval/pawnhash.h"

#include <cstring>

PawnHashTable::PawnHashTable() : entries_(std::make_unique<std::uint32_t[]>(PAWN_HASH_SIZE)) {}

void PawnHashTable::clear() { std::memset(entries_.get(), 0, PAWN_HASH_SIZE * sizeof(std::uint32_t)); }
