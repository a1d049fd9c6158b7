#include "front/timecontrol.h"

#include <algorithm>
#include <limits>

#include "front/constants.h"

std::uint32_t movesPerControl = DEFAULT_MOVES_PER_CONTROL;
std::uint32_t incrementMs = 0;
std::uint32_t moveTimeMs = 0;

namespace {

// Budgets saturate instead of wrapping: a wrapped sum would turn a huge
// clock into a tiny budget.
std::uint32_t saturate(std::uint64_t value) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t nonNegative(long value) {
    return saturate(static_cast<std::uint64_t>(std::max(value, 0L)));
}

std::uint32_t budgetFromClock(std::uint32_t clockCs) {
    return saturate(std::uint64_t{incrementMs} + std::uint64_t{clockCs / movesPerControl} * MS_PER_CENTISECOND);
}

}  // namespace

void setLevel(long movesPerControlArg, long incrementSeconds) {
    const std::uint32_t moves = nonNegative(movesPerControlArg);
    movesPerControl = moves ? moves : DEFAULT_MOVES_PER_CONTROL;
    incrementMs = saturate(std::uint64_t{nonNegative(incrementSeconds)} * MS_PER_SECOND);
}

void setEngineClock(long centiseconds) {
    std::uint32_t clockCs = nonNegative(centiseconds);
    if (clockCs >= CLOCK_RESERVE_FROM_CS) clockCs -= CLOCK_RESERVE_CS;
    moveTimeMs = budgetFromClock(clockCs);
}

void setTestBudget() { moveTimeMs = budgetFromClock(TEST_CLOCK_CS); }

void extendOutOfBookBudget() {
    const std::uint64_t tripled = std::uint64_t{OUT_OF_BOOK_FACTOR} * moveTimeMs;
    const std::uint64_t capped = std::uint64_t{movesPerControl} * moveTimeMs / OUT_OF_BOOK_CAP_DIVISOR;
    moveTimeMs = saturate(std::min(tripled, capped));
}
