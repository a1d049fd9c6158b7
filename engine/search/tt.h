// The transposition table: 2^20 buckets of three entries, the black half first.
// The position key has no side-to-move term; the half a bucket lies in is the side.
#pragma once

#include <cstdint>

#include "search/plyrecord.h"

struct HashEntry {
    std::uint32_t word0;  // move (bits 0-15), bits 16-31 of the key's low half
    std::uint32_t word1;  // the key's high half
    std::uint32_t word2;  // depth 0-6, bound 7-8, age 9-17, score + 8190 in 18-31
};
static_assert(sizeof(HashEntry) == 12);

inline constexpr int TT_HALF_BITS = 19;
inline constexpr std::uint32_t TT_BUCKETS = 1u << (TT_HALF_BITS + 1);
inline constexpr int TT_BUCKET_SIZE = 3;

// ---- Entry layout and the numbers of the probe rules --------------------------
inline constexpr std::uint32_t TT_INDEX_MASK = (1u << TT_HALF_BITS) - 1;  // key bits implied by the bucket
inline constexpr std::uint32_t TT_CHECKED_LOW_BITS = ~TT_INDEX_MASK;       // key bits 19..31 are compared
inline constexpr std::uint32_t TT_STORED_LOW_BITS = 0xFFFF0000u;           // key bits 16..31 are stored
inline constexpr std::uint32_t TT_MOVE_MASK = 0xFFFFu;
inline constexpr int TT_BOUND_SHIFT = 7;
inline constexpr int TT_AGE_SHIFT = 9;
inline constexpr int TT_SCORE_SHIFT = 18;
inline constexpr std::uint32_t TT_DEPTH_MASK = 0x7F;
static_assert(MAX_SEARCH_DEPTH <= int{TT_DEPTH_MASK}, "the depth field holds every depth the search reaches");
inline constexpr std::uint32_t TT_BOUND_MASK = 0x3;
inline constexpr std::uint32_t TT_AGE_MASK = 0x1FF;
inline constexpr std::uint32_t TT_SCORE_MASK = 0x3FFF;
inline constexpr int TT_SCORE_BIAS = NO_SCORE;                          // 8190
inline constexpr int TT_SCORE_MIN = -TT_SCORE_BIAS;                     // -8190
inline constexpr int TT_SCORE_MAX = int{TT_SCORE_MASK} - TT_SCORE_BIAS;  // 8193
inline constexpr std::uint16_t AGE_BOOK = 0;  // the search never writes age 0

// Bound codes, ordered by value: a smaller code is a more useful bound.
using Bound = int;
inline constexpr Bound BOUND_EXACT = 0;
inline constexpr Bound BOUND_LOWER = 1;  // failed high: the true value is at least the score
inline constexpr Bound BOUND_UPPER = 2;  // failed low: the true value is at most the score

extern HashEntry transpositionTable[TT_BUCKETS][TT_BUCKET_SIZE];
extern std::uint16_t hashAge;

// ---- Entry fields ---------------------------------------------------------------
inline Move entryMove(const HashEntry& e) { return static_cast<Move>(e.word0 & TT_MOVE_MASK); }
inline int entryDepth(const HashEntry& e) { return static_cast<int>(e.word2 & TT_DEPTH_MASK); }
inline Bound entryBound(const HashEntry& e) { return static_cast<Bound>((e.word2 >> TT_BOUND_SHIFT) & TT_BOUND_MASK); }
inline std::uint16_t entryAge(const HashEntry& e) {
    return static_cast<std::uint16_t>((e.word2 >> TT_AGE_SHIFT) & TT_AGE_MASK);
}
inline int entryScore(const HashEntry& e) { return static_cast<int>(e.word2 >> TT_SCORE_SHIFT) - TT_SCORE_BIAS; }
inline bool isBookEntry(const HashEntry& e) { return entryAge(e) == AGE_BOOK; }

// Bucket of a key for a side to move.
inline HashEntry* bucketOf(HashKey key, Side side) {
    return transpositionTable[(keyLow(key) & TT_INDEX_MASK) + (static_cast<std::uint32_t>(side) << TT_HALF_BITS)];
}
// Whether e holds the position with this key (the bucket already implies the low 19 bits).
inline bool entryMatches(const HashEntry& e, HashKey key) {
    return ((e.word0 ^ keyLow(key)) & TT_CHECKED_LOW_BITS) == 0 && e.word1 == keyHigh(key);
}

// ---- Operations -------------------------------------------------------------------
// The first entry of the current position's bucket that matches it, or nullptr.
inline HashEntry* probeTable() {
    const HashKey key = position.hashKey;
    HashEntry* bucket = bucketOf(key, position.sideToMove);
    for (int i = 0; i < TT_BUCKET_SIZE; ++i)
        if (entryMatches(bucket[i], key)) return &bucket[i];
    return nullptr;
}

// Stores the current node's result by the replacement rule (slot 0 deepest or
// freshest, slot 1 what slot 0 held, slot 2 the rest). Scores outside the
// representable range are clamped to it.
void storeTable(int depth, Bound bound, int score, Move move);

// Writes move as the book move of the current position into slot 0 of its bucket,
// with age AGE_BOOK; depth, bound and score stay as the slot held them.
void storeBookMove(Move move);

void clearTranspositionTable();

// ---- How a search node uses a probe (shared by quiesce, search and searchRoot) ------
// A node may narrow its window from a bound unless an aspiration re-search is
// running and the node is at the iteration's full depth.
inline bool windowMayBeNarrowed(int aspiration, int depth, int currentIterationDepth) {
    return aspiration == 0 || depth != currentIterationDepth;
}

struct ProbeRules {
    bool mayNarrow;  // windowMayBeNarrowed(...) for this node
    bool isRoot;     // the root ends early only on scores below MATE_THRESHOLD
};

// Probes the table for the current position and applies the entry to the node:
// fills ply.ttDepth, ply.ttScore and ply.hashMove, may narrow alpha/beta, and
// returns true with result set when the node is to return at once.
// depth is the node's remaining depth (quiescence nodes pass depth <= 0).
// Inline: every node of the search starts here, and most probes find nothing.
inline bool probeAndApply(int depth, int& alpha, int& beta, PlyRecord& ply, ProbeRules rules, int& result);

// The same rules for an entry the caller has already probed (nullptr for none).
bool applyProbe(const HashEntry* entry, int depth, int& alpha, int& beta, PlyRecord& ply, ProbeRules rules,
                int& result);

inline bool probeAndApply(int depth, int& alpha, int& beta, PlyRecord& ply, ProbeRules rules, int& result) {
    const HashEntry* entry = probeTable();
    if (!entry) {
        ply.ttDepth = 0;
        ply.hashMove = 0;
        return false;
    }
    return applyProbe(entry, depth, alpha, beta, ply, rules, result);
}
