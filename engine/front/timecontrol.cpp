#include "front/timecontrol.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "front/constants.h"

std::uint32_t movesPerControl = DEFAULT_MOVES_PER_CONTROL;
std::uint32_t incrementMs = 0;
std::uint32_t moveTimeMs = 0;
std::uint32_t moveLimitMs = std::numeric_limits<std::uint32_t>::max();
std::uint32_t fixedMoveTimeMs = 0;
std::uint32_t depthLimit = NO_DEPTH_LIMIT;

namespace {

constexpr std::uint32_t NO_LIMIT = std::numeric_limits<std::uint32_t>::max();

std::optional<std::uint32_t> lastClockMs;  // the engine's clock at the last time command

// Budgets saturate instead of wrapping: a wrapped sum would turn a huge
// clock into a tiny budget.
std::uint32_t saturate(std::uint64_t value) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, NO_LIMIT));
}

std::uint32_t nonNegative(long value) {
    return saturate(static_cast<std::uint64_t>(std::max(value, 0L)));
}

std::uint32_t budgetFromClock(std::uint32_t clockCs) {
    return saturate(std::uint64_t{incrementMs} + std::uint64_t{clockCs / movesPerControl} * MS_PER_CENTISECOND);
}

// With st the interface's clock holds the move's own time (XBoard sends st's
// time with every move): the move may use it all but the reserve the clock rules
// keep, one second from two seconds on, else half of it.
std::uint32_t fixedTimeLimit() {
    if (!lastClockMs) return NO_LIMIT;
    const std::uint32_t clock = *lastClockMs;
    const std::uint32_t reserveFrom = CLOCK_RESERVE_FROM_CS * MS_PER_CENTISECOND;
    return clock >= reserveFrom ? clock - CLOCK_RESERVE_CS * MS_PER_CENTISECOND : clock / MOVE_LIMIT_CLOCK_DIVISOR;
}

void applyFixedMoveTime() {
    moveLimitMs = fixedTimeLimit();
    moveTimeMs = std::min(fixedMoveTimeMs, moveLimitMs);
}

}  // namespace

void setLevel(long movesPerControlArg, double incrementSeconds) {
    const std::uint32_t moves = nonNegative(movesPerControlArg);
    movesPerControl = moves ? moves : DEFAULT_MOVES_PER_CONTROL;
    const double increment = std::isfinite(incrementSeconds) ? std::max(incrementSeconds, 0.0) : 0.0;
    incrementMs = saturate(static_cast<std::uint64_t>(std::min(std::round(increment * MS_PER_SECOND), 1e18)));
    fixedMoveTimeMs = 0;
}

// The increment is credited only after the move: a budget that counted on it (a
// short clock with a long increment) would lose on time.
void setEngineClock(long centiseconds) {
    std::uint32_t clockCs = nonNegative(centiseconds);
    lastClockMs = saturate(std::uint64_t{clockCs} * MS_PER_CENTISECOND);
    if (fixedMoveTimeMs) return applyFixedMoveTime();
    moveLimitMs = saturate(std::uint64_t{clockCs} * MS_PER_CENTISECOND / MOVE_LIMIT_CLOCK_DIVISOR);
    if (clockCs >= CLOCK_RESERVE_FROM_CS) clockCs -= CLOCK_RESERVE_CS;
    moveTimeMs = std::min(budgetFromClock(clockCs), moveLimitMs);
}

void setFixedMoveTime(long milliseconds) {
    fixedMoveTimeMs = nonNegative(milliseconds);
    if (fixedMoveTimeMs) applyFixedMoveTime();
}

bool setGoBudget(const GoClock& go) {
    setLevel(go.movesToGo, static_cast<double>(std::max(go.incrementMs, 0L)) / MS_PER_SECOND);
    if (go.clockMs) {
        setEngineClock(*go.clockMs / static_cast<long>(MS_PER_CENTISECOND));
    } else {
        lastClockMs.reset();
        moveLimitMs = NO_LIMIT;
        moveTimeMs = NO_LIMIT;
    }
    if (go.moveTimeMs) {
        const std::uint32_t given = nonNegative(*go.moveTimeMs);
        fixedMoveTimeMs = std::max(given > MOVETIME_MARGIN_MS ? given - MOVETIME_MARGIN_MS : 0, MIN_MOVETIME_BUDGET_MS);
        moveLimitMs = moveTimeMs = std::min(fixedMoveTimeMs, moveLimitMs);
    }
    return go.clockMs || go.moveTimeMs;
}

void setDepthLimit(long plies) { depthLimit = plies > 0 ? nonNegative(plies) : NO_DEPTH_LIMIT; }

void setTestBudget() {
    moveLimitMs = NO_LIMIT;
    moveTimeMs = budgetFromClock(TEST_CLOCK_CS);
}

void extendOutOfBookBudget() {
    if (fixedMoveTimeMs) return;
    const std::uint64_t tripled = std::uint64_t{OUT_OF_BOOK_FACTOR} * moveTimeMs;
    const std::uint64_t capped = std::uint64_t{movesPerControl} * moveTimeMs / OUT_OF_BOOK_CAP_DIVISOR;
    moveTimeMs = std::min(saturate(std::min(tripled, capped)), moveLimitMs);
}

std::uint32_t extraTimeAfterFailLow() {
    if (fixedMoveTimeMs || moveTimeMs <= EXTRA_TIME_MIN_BUDGET_MS) return 0;
    const std::uint64_t extra = std::uint64_t{EXTRA_TIME_BUDGETS} * moveTimeMs;
    const std::uint64_t room = moveLimitMs > moveTimeMs ? moveLimitMs - moveTimeMs : 0;
    return saturate(std::min(extra, room));
}
