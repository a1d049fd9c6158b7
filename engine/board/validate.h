// Debug validator: recomputes the position's boards, rotations, keys and
// counters from the 64-byte board and compares them with the kept ones.
#pragma once

#include <string>

// Empty when everything agrees, else a description of the first mismatches.
std::string validatePosition();

#ifndef NDEBUG
#include <cassert>
#define ZORVAK_ASSERT_VALID() assert(validatePosition().empty())
#else
#define ZORVAK_ASSERT_VALID() ((void)0)
#endif
