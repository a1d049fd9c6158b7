// The transposition table: buckets of three entries in two halves, the black half
// first. The position key has no side-to-move term; the half a bucket lies in is the
// side. One table is shared by every search worker of a search; entries are read and
// written word by word as relaxed atomics (a torn entry is caught by the key check and
// by the legality test at every use of a table move).
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "board/position.h"
#include "search/plyrecord.h"

// A snapshot of one entry, as a probe reads it.
struct HashEntry {
    std::uint32_t word0;  // move (bits 0-15), bits 16-31 of the key's low half
    std::uint32_t word1;  // the key's high half
    std::uint32_t word2;  // depth 0-6, bound 7-8, age 9-17, score + 8190 in 18-31
};
static_assert(sizeof(HashEntry) == 12);

// Where an entry lives: the same three words, each an atomic.
struct HashSlot {
    std::atomic<std::uint32_t> words[3];
};
static_assert(sizeof(HashSlot) == 12 && std::atomic<std::uint32_t>::is_always_lock_free);

inline constexpr int TT_BUCKET_SIZE = 3;
inline constexpr std::size_t TT_BUCKET_BYTES = TT_BUCKET_SIZE * sizeof(HashSlot);
// The design's table: 2^19 buckets a half, 36 MiB; every other size is asked for.
inline constexpr int TT_HALF_BITS = 19;
inline constexpr std::size_t TT_DEFAULT_MB = (std::size_t{2} << TT_HALF_BITS) * TT_BUCKET_BYTES >> 20;
inline constexpr std::size_t TT_MIN_MB = 1;
inline constexpr std::size_t TT_MAX_MB = 65536;

// ---- Entry layout and the numbers of the probe rules --------------------------
// Key bits 16..31 are stored and compared (in the design's table bits 0..18 are
// implied by the bucket, so only 19..31 tell positions apart there).
inline constexpr std::uint32_t TT_STORED_LOW_BITS = 0xFFFF0000u;
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

// ---- Entry fields ---------------------------------------------------------------
inline Move entryMove(const HashEntry& e) { return static_cast<Move>(e.word0 & TT_MOVE_MASK); }
inline int entryDepth(const HashEntry& e) { return static_cast<int>(e.word2 & TT_DEPTH_MASK); }
inline Bound entryBound(const HashEntry& e) { return static_cast<Bound>((e.word2 >> TT_BOUND_SHIFT) & TT_BOUND_MASK); }
inline std::uint16_t entryAge(const HashEntry& e) {
    return static_cast<std::uint16_t>((e.word2 >> TT_AGE_SHIFT) & TT_AGE_MASK);
}
inline int entryScore(const HashEntry& e) { return static_cast<int>(e.word2 >> TT_SCORE_SHIFT) - TT_SCORE_BIAS; }
inline bool isBookEntry(const HashEntry& e) { return entryAge(e) == AGE_BOOK; }

// Whether e holds the position with this key (the bucket implies the rest of the low half).
inline bool entryMatches(const HashEntry& e, HashKey key) {
    return ((e.word0 ^ keyLow(key)) & TT_STORED_LOW_BITS) == 0 && e.word1 == keyHigh(key);
}

class TranspositionTable {
public:
    // The design's size, cleared.
    TranspositionTable();
    ~TranspositionTable();
    TranspositionTable(const TranspositionTable&) = delete;
    TranspositionTable& operator=(const TranspositionTable&) = delete;

    // Makes the table megabytes large (the largest number of buckets that fits) and
    // clears it. False, with the old table kept and why saying why, for a size out of
    // range, beyond the machine's memory or one the system will not give.
    bool resize(std::size_t megabytes, std::string& why);
    // Sets every word of every entry to 0.
    void clear();
    // Whether every word of every entry is 0 (a whole scan: for checks, not for play).
    bool isEmpty() const;

    std::size_t bucketCount() const { return 2 * halfBuckets_; }
    std::size_t byteSize() const { return bucketCount() * TT_BUCKET_BYTES; }

    // The age every entry the search writes carries; set to 1 by every set-up, AGE_BOOK
    // while the book is written. Changed only while no search runs.
    std::uint16_t age() const { return age_; }
    void setAge(std::uint16_t age) { age_ = age; }

    // The first entry of the position's bucket that matches it, copied into entry;
    // false when none does. Inline: every node of the search starts here; the third
    // word is read only for the entry that matches.
    [[gnu::always_inline]] bool find(HashKey key, Side side, HashEntry& entry) const {
        const HashSlot* bucket = bucketOf(key, side);
        for (int i = 0; i < TT_BUCKET_SIZE; ++i) {
            const std::uint32_t word0 = bucket[i].words[0].load(std::memory_order_relaxed);
            const std::uint32_t word1 = bucket[i].words[1].load(std::memory_order_relaxed);
            if (((word0 ^ keyLow(key)) & TT_STORED_LOW_BITS) == 0 && word1 == keyHigh(key)) {
                entry = {word0, word1, bucket[i].words[2].load(std::memory_order_relaxed)};
                return true;
            }
        }
        return false;
    }
    // The same as a value, for callers outside the search's hot path.
    std::optional<HashEntry> probe(HashKey key, Side side) const {
        HashEntry entry;
        if (!find(key, side, entry)) return std::nullopt;
        return entry;
    }
    std::optional<HashEntry> probe(const Position& pos) const { return probe(pos.hashKey, pos.sideToMove); }

    // Stores the node's result by the replacement rule (slot 0 deepest or freshest,
    // slot 1 what slot 0 held, slot 2 the rest). Scores outside the representable
    // range are clamped to it.
    void store(const Position& pos, int depth, Bound bound, int score, Move move);

    // Writes move as the book move of the position into slot 0 of its bucket, with
    // age AGE_BOOK; depth, bound and score stay as the slot held them.
    void storeBookMove(const Position& pos, Move move);

    // The slots of the bucket a key and side use (for tests and tools).
    [[gnu::always_inline]] const HashSlot* bucketOf(HashKey key, Side side) const {
        return halves_[side] + TT_BUCKET_SIZE * indexInHalf(key);
    }
    static HashEntry read(const HashSlot& slot) {
        return {slot.words[0].load(std::memory_order_relaxed), slot.words[1].load(std::memory_order_relaxed),
                slot.words[2].load(std::memory_order_relaxed)};
    }

private:
    // The bucket within the side's half: the key's low half modulo the half's size (a
    // mask when that is a power of two, which the design's table is).
    [[gnu::always_inline]] std::size_t indexInHalf(HashKey key) const {
        const std::uint32_t low = keyLow(key);
        return halfMask_ ? low & halfMask_ : fastModulo(low);
    }
    // low % halfBuckets_ with two multiplications instead of a division.
    std::size_t fastModulo(std::uint32_t low) const {
        const std::uint64_t fraction = moduloFactor_ * low;
        return static_cast<std::size_t>((static_cast<unsigned __int128>(fraction) * halfBuckets_) >> 64);
    }
    HashSlot* writableBucketOf(HashKey key, Side side) { return halves_[side] + TT_BUCKET_SIZE * indexInHalf(key); }
    static void write(HashSlot& slot, const HashEntry& e) {
        slot.words[0].store(e.word0, std::memory_order_relaxed);
        slot.words[1].store(e.word1, std::memory_order_relaxed);
        slot.words[2].store(e.word2, std::memory_order_relaxed);
    }
    bool allocate(std::size_t halfBuckets);

    HashSlot* buckets_ = nullptr;
    HashSlot* halves_[2] = {nullptr, nullptr};  // [side]: the first slot of its half
    std::size_t halfBuckets_ = 0;
    std::size_t mappedBytes_ = 0;
    std::uint32_t halfMask_ = 0;      // halfBuckets_ - 1 when a power of two, else 0
    std::uint64_t moduloFactor_ = 0;  // for fastModulo
    std::uint16_t age_ = 1;
};

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

// Probes the table for pos and applies the entry to the node: fills ply.ttDepth,
// ply.ttScore and ply.hashMove, may narrow alpha/beta, and returns true with result
// set when the node is to return at once. depth is the node's remaining depth
// (quiescence nodes pass depth <= 0).
bool applyProbe(const HashEntry& entry, int depth, int& alpha, int& beta, PlyRecord& ply, ProbeRules rules,
                int& result);

// Inline: every node of the search starts here, and most probes find nothing.
[[gnu::always_inline]] inline bool probeAndApply(const TranspositionTable& tt, const Position& pos, int depth,
                                                 int& alpha, int& beta, PlyRecord& ply, ProbeRules rules,
                                                 int& result) {
    HashEntry entry;
    if (!tt.find(pos.hashKey, pos.sideToMove, entry)) {
        ply.ttDepth = 0;
        ply.hashMove = 0;
        return false;
    }
    return applyProbe(entry, depth, alpha, beta, ply, rules, result);
}
