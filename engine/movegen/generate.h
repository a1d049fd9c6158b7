// Pseudo-legal move generators with ordering scores, one set per side.
#pragma once

#include "board/position.h"
#include "movegen/checkinfo.h"
#include "movegen/movelist.h"

enum GeneratorKind { GEN_ALL = 0, GEN_CAPTURES = 1, GEN_EVASIONS = 2 };

// Writes moves from `list` on; returns one past the last entry written.
// The check information is read only by the evasion generator.
using MoveGenerator = MoveEntry* (*)(const Position& pos, MoveEntry* list, const CheckInfo& check);

// [GeneratorKind][Side]; always indexed with sideToMove.
extern const MoveGenerator MOVE_GENERATORS[3][2];

template <Side S> MoveEntry* generateAll(const Position& pos, MoveEntry* list);
template <Side S> MoveEntry* generateCaptures(const Position& pos, MoveEntry* list);
template <Side S> MoveEntry* generateEvasions(const Position& pos, MoveEntry* list, const CheckInfo& check);
