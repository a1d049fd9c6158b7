// Per-move limits from the interface's level, time, st and sd commands.
// Main thread only.
#pragma once

#include <cstdint>
#include <optional>

extern std::uint32_t movesPerControl;  // divisor of the remaining clock
extern std::uint32_t incrementMs;
extern std::uint32_t moveTimeMs;       // budget of the engine's next move
// The most the engine's next move may take in all (half of its clock; with st, the
// clock less its reserve), however the budget is stretched; no limit before the
// first clock reading and after test.
extern std::uint32_t moveLimitMs;
extern std::uint32_t fixedMoveTimeMs;  // st: the time of every move, 0 when level rules
extern std::uint32_t depthLimit;       // sd: the deepest iteration of the engine's searches

// level MPS BASE INC: BASE plays no part; INC may have a fraction (0.1 s).
// Negative arguments count as 0. Ends an st.
void setLevel(long movesPerControlArg, double incrementSeconds);
// time T: the engine's clock in centiseconds (negative counts as 0).
void setEngineClock(long centiseconds);
// st: every move gets exactly this long (within the clock), until the next level;
// 0 or less ends it.
void setFixedMoveTime(long milliseconds);
// sd: no search of the engine goes deeper; 0 or less lifts the limit.
void setDepthLimit(long plies);
// A UCI go's time words for the side to move, in milliseconds.
struct GoClock {
    std::optional<long> clockMs;     // wtime or btime
    long incrementMs = 0;            // winc or binc
    long movesToGo = 0;              // 0 when not given
    std::optional<long> moveTimeMs;  // movetime
};
// Sets the engine's next move's budget and limit from a go: the clock as time and
// level set them (movesToGo moves, else the default), a movetime as given less a
// margin (never more than half a clock given with it). False when the go gives no
// time at all, and the search is bounded only by depth, nodes or the interface.
bool setGoBudget(const GoClock& go);
// The test command: a budget long enough that the search ends by itself.
void setTestBudget();
// The first move searched after the book gets a longer budget (not with st).
void extendOutOfBookBudget();

// How much longer a search whose root has just failed low may run once its budget
// is spent: up to two budgets more on budgets above six seconds, within moveLimitMs;
// none with st.
std::uint32_t extraTimeAfterFailLow();
