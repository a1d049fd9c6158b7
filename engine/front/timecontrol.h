// Per-move time budget from the interface's level and time commands.
// Main thread only.
#pragma once

#include <cstdint>

extern std::uint32_t movesPerControl;  // divisor of the remaining clock
extern std::uint32_t incrementMs;
extern std::uint32_t moveTimeMs;       // budget of the engine's next move
// The most the engine's next move may take in all (half of its clock), however
// the budget is stretched; no limit before the first clock reading and after test.
extern std::uint32_t moveLimitMs;

// level MPS BASE INC: BASE plays no part. Negative arguments count as 0.
void setLevel(long movesPerControlArg, long incrementSeconds);
// time T: the engine's clock in centiseconds (negative counts as 0).
void setEngineClock(long centiseconds);
// The test command: a budget long enough that the search ends by itself.
void setTestBudget();
// The first move searched after the book gets a longer budget.
void extendOutOfBookBudget();

// How much longer a search whose root has just failed low may run once its budget
// is spent: up to two budgets more on budgets above six seconds, within moveLimitMs.
std::uint32_t extraTimeAfterFailLow();
