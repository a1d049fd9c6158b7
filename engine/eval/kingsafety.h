// The king terms: placement, pawn shelter, exposure and danger from enemy pieces.
#pragma once

#include "eval/evalstate.h"

// King table at the white king's square minus the same table at the black king's (both unturned).
int kingPlacementScore(const Position& pos);

// Shelter bonus of castled kings, white minus black; 0 while material is low.
int kingShelterScore(const Position& pos);

// How open side S's king stands (0..15); 0 while material is low.
template <Side S>
std::uint8_t kingExposure(const Position& pos);

// Exposure of the defending king times the attackers' tropism weight, white minus black.
// Reads state.exposure and state.tropism.
int kingDangerScore(const Position& pos, const EvalState& state);

// Placement, shelter and exposure, the king terms taken before the pieces.
void addKingPlacementAndShelter(const Position& pos, EvalState& state);
