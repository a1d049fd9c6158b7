#include "front/timecontrol.h"

#include <algorithm>
#include <limits>

#include "front/constants.h"

std::uint32_t movesPerControl = DEFAULT_MOVES_PER_CONTROL;
std::uint32_t incrementMs = 0;
std::uint32_t moveTimeMs = 0;
std::uint32_t moveLimitMs = std::numeric_limits<std::uint32_t>::max();

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

// The increment is credited only after the move: a budget that counted on it (a
// short clock with a long increment) would lose on time.
void setEngineClock(long centiseconds) {
    std::uint32_t clockCs = nonNegative(centiseconds);
    moveLimitMs = saturate(std::uint64_t{clockCs} * MS_PER_CENTISECOND / MOVE_LIMIT_CLOCK_DIVISOR);
    if (clockCs >= CLOCK_RESERVE_FROM_CS) clockCs -= CLOCK_RESERVE_CS;
    moveTimeMs = std::min(budgetFromClock(clockCs), moveLimitMs);
}

void setTestBudget() {
    moveLimitMs = std::numeric_limits<std::uint32_t>::max();
    moveTimeMs = budgetFromClock(TEST_CLOCK_CS);
}

void extendOutOfBookBudget() {
    const std::uint64_t tripled = std::uint64_t{OUT_OF_BOOK_FACTOR} * moveTimeMs;
    const std::uint64_t capped = std::uint64_t{movesPerControl} * moveTimeMs / OUT_OF_BOOK_CAP_DIVISOR;
    moveTimeMs = std::min(saturate(std::min(tripled, capped)), moveLimitMs);
}

std::uint32_t extraTimeAfterFailLow() {
    if (moveTimeMs <= EXTRA_TIME_MIN_BUDGET_MS) return 0;
    const std::uint64_t extra = std::uint64_t{EXTRA_TIME_BUDGETS} * moveTimeMs;
    const std::uint64_t room = moveLimitMs > moveTimeMs ? moveLimitMs - moveTimeMs : 0;
    return saturate(std::min(extra, room));
}
