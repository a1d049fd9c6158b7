// Numbers of the front end: buffer limits, the clock budget rules.
#pragma once

#include <cstdint>

#include "search/searchconst.h"

// ---- Input ------------------------------------------------------------------
inline constexpr int WORD_BUFFER_SIZE = 256;       // a word has at most 255 characters
inline constexpr int SETBOARD_LINE_LIMIT = 254;    // characters of a setboard line, line feed included
inline constexpr int XBOARD_PREFIX_LENGTH = 6;     // characters of the first word that must read "xboard"

// ---- Time control -------------------------------------------------------------
inline constexpr std::uint32_t DEFAULT_MOVES_PER_CONTROL = 40;
inline constexpr std::uint32_t CLOCK_RESERVE_FROM_CS = 200;  // clocks of 2 s or more keep 1 s back
inline constexpr std::uint32_t CLOCK_RESERVE_CS = 100;
inline constexpr std::uint32_t MS_PER_CENTISECOND = 10;
inline constexpr std::uint32_t MS_PER_SECOND = 1000;
inline constexpr std::uint32_t TEST_CLOCK_CS = 4123456689u;  // about 11.9 days over 40 moves
inline constexpr std::uint32_t OUT_OF_BOOK_FACTOR = 3;       // first searched move after the book
inline constexpr std::uint32_t OUT_OF_BOOK_CAP_DIVISOR = 10; // ... capped at movesPerControl / 10 budgets
inline constexpr std::uint32_t EXTRA_TIME_MIN_BUDGET_MS = 6000;  // a fail low on a longer budget gets extra time,
inline constexpr std::uint32_t EXTRA_TIME_BUDGETS = 2;           // ... up to this many budgets more
inline constexpr std::uint32_t MOVE_LIMIT_CLOCK_DIVISOR = 2;     // no move takes more than half the clock
inline constexpr std::uint32_t NO_DEPTH_LIMIT = MAX_SEARCH_DEPTH + 1;  // deeper than any search goes: no sd given
inline constexpr std::uint32_t MOVETIME_MARGIN_MS = 30;      // a UCI movetime is kept short of by this much,
inline constexpr std::uint32_t MIN_MOVETIME_BUDGET_MS = 10;  // ... but never below this

// ---- Thinking output ----------------------------------------------------------------
inline constexpr int XBOARD_MATE_SCORE = 100000;  // mate in n moves is shown as 100000 + n
