// The numbers of the searches, in one place.
#pragma once

#include "board/types.h"

// ---- Depth and ply limits ---------------------------------------------------------
// No full-width search goes deeper: no iteration, and no line that extensions
// lengthen (from this ply on the children are left to quiesce).
inline constexpr int MAX_SEARCH_DEPTH = 127;
inline constexpr int QS_DEPTH_LIMIT = -8;   // capture plies the quiescence search plays out
// The search's stack: the root, the full-width plies and the capture plies.
inline constexpr int PLY_RECORD_COUNT = MAX_SEARCH_DEPTH + 1 - QS_DEPTH_LIMIT;
inline constexpr int MAX_PLY = PLY_RECORD_COUNT - 1;  // the last ply record; its children are scored statically
inline constexpr int FIRST_ITERATION_DEPTH = 2;  // never interrupted: every stop test needs a deeper iteration
inline constexpr int IID_REDUCTION = 2;      // internal deepening searches this much shallower
// A team's main worker adds up the team's nodes at least this often (its own nodes)
// to hold a node limit for the whole team.
inline constexpr std::uint64_t TEAM_NODE_CHECK_INTERVAL = 4096;

// ---- Best lines ------------------------------------------------------------------------
// The best lines (MultiPV) one search finds, the default being the fewest: each line
// is a root search of its own.
inline constexpr int MIN_PV_LINES = 1;
inline constexpr int MAX_PV_LINES = 64;

// ---- Scores and windows ---------------------------------------------------------------
inline constexpr int WINDOW_LIMIT = MATE_SCORE;          // -8100..8100: the first window
inline constexpr int RESEARCH_UPPER = MATE_SCORE - 1;    // 8099: upper edge of re-searches
inline constexpr int ASPIRATION_MARGIN = 30;
inline constexpr int NO_MOVE_SCORE = -NO_SCORE;          // -8190: no legal move found yet

// ---- Ordering keys --------------------------------------------------------------------
inline constexpr int HASH_MOVE_KEY = 30000;
inline constexpr int KILLER1_KEY = -9998;
inline constexpr int KILLER2_KEY = -9999;
inline constexpr int HISTORY_PHASE_BELOW = -10000;  // a best key under this starts the history phase
inline constexpr std::uint32_t HISTORY_KEY_BIAS = 33000;  // lifts every key above zero
inline constexpr int QS_KILLER1_BONUS = 1500;
inline constexpr int QS_KILLER2_BONUS = 1000;

// ---- Null move ------------------------------------------------------------------------
inline constexpr int NULL_SMALL_MATERIAL = 6;   // below it: no null move deeper than NULL_SMALL_MAX_DEPTH
inline constexpr int NULL_SMALL_MAX_DEPTH = 6;
inline constexpr int NULL_BIG_MATERIAL = 9;     // from it on (and NULL_BIG_MIN_DEPTH) the larger reduction
inline constexpr int NULL_BIG_MIN_DEPTH = 7;
inline constexpr int NULL_REDUCTION = 2;
inline constexpr int NULL_BIG_REDUCTION = 3;
