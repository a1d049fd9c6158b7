// Debug validator: recomputes the position's boards, rotations, keys and
// counters from the 64-byte board and compares them with the kept ones.
#pragma once

#include <string>

#include "board/position.h"

// Empty when everything agrees, else a description of the first mismatches.
std::string validatePosition(const Position& pos);

#ifndef NDEBUG
#include <cassert>
#define ZORVAK_ASSERT_VALID(pos) assert(validatePosition(pos).empty())
#else
#define ZORVAK_ASSERT_VALID(pos) ((void)0)
#endif
