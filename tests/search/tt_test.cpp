// The transposition table: what a store keeps and a probe finds, the replacement among
// the three slots of a bucket, and book entries, which give a move but never a score.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"

namespace {

// Keys chosen by hand: A, B, C and D agree in their low 19 bits (one bucket) and differ above.
constexpr HashKey KEY_A = 0x1111111100012345ULL, KEY_B = 0x2222222200092345ULL;
constexpr HashKey KEY_C = 0x3333333300112345ULL, KEY_D = 0x4444444400192345ULL;
constexpr Move MOVE_1 = 0x0F2C, MOVE_2 = 0x1234, MOVE_3 = 0x0ABC;  // told apart by value only

class Table : public ::testing::Test {
protected:
    // The table looks only at the key and the side to move of the position.
    const Position& standOn(HashKey key, Side side = BLACK) {
        board->hashKey = key;
        board->sideToMove = side;
        return *board;
    }
    void store(HashKey key, int depth, Bound bound, int score = 0, Move move = MOVE_1) {
        table.store(standOn(key), depth, bound, score, move);
    }
    std::optional<HashEntry> probe(HashKey key) const { return table.probe(key, BLACK); }
    HashEntry slot(int i) const { return TranspositionTable::read(table.bucketOf(KEY_A, BLACK)[i]); }
    bool holds(int i, HashKey key, Move move) const { return entryMatches(slot(i), key) && entryMove(slot(i)) == move; }
    bool sameEntry(const HashEntry& a, const HashEntry& b) const {
        return a.word0 == b.word0 && a.word1 == b.word1 && a.word2 == b.word2;
    }

    std::unique_ptr<Position> board = std::make_unique<Position>();
    TranspositionTable table;
};

}  // namespace

TEST_F(Table, AStoredEntryReadsBackAndClampsWhatItsFieldsCannotHold) {
    const int cases[][4] = {// depth, score stored; depth, score read back
                            {5, 123, 5, 123},
                            {7, -8097, 7, -8097},
                            {200, 8097, MAX_SEARCH_DEPTH, 8097},
                            {3, 9000, 3, TT_SCORE_MAX},  // clamped, never wrapped into another field
                            {3, -9000, 3, TT_SCORE_MIN}};
    for (const auto& c : cases)
        for (Bound bound : {BOUND_EXACT, BOUND_LOWER, BOUND_UPPER}) {
            table.clear();
            store(KEY_A, c[0], bound, c[1], MOVE_2);
            const std::optional<HashEntry> e = probe(KEY_A);
            ASSERT_TRUE(e && sameEntry(*e, slot(0))) << c[0] << " " << c[1];
            EXPECT_EQ(entryMove(*e), MOVE_2);
            EXPECT_EQ(entryDepth(*e), c[2]);
            EXPECT_EQ(entryScore(*e), c[3]);
            EXPECT_EQ(entryBound(*e), bound);
            EXPECT_EQ(entryAge(*e), 1);
        }
}

// A result replaces slot 0 when it is deeper, or as deep with a more useful bound (exact
// < lower < upper); slot 0's entry then moves to slot 1. A result not worth slot 0 goes to
// slot 1 on the same terms, else to slot 2.
TEST_F(Table, ResultsTakeTheSlotTheyAreWorth) {
    store(KEY_A, 6, BOUND_UPPER);
    store(KEY_A, 5, BOUND_EXACT, 0, MOVE_2);  // the same position, shallower: kept
    EXPECT_TRUE(holds(0, KEY_A, MOVE_1));
    store(KEY_A, 6, BOUND_LOWER, 0, MOVE_2);  // as deep, a better bound: replaced in place
    EXPECT_TRUE(holds(0, KEY_A, MOVE_2) && !entryMatches(slot(1), KEY_A));
    store(KEY_B, 6, BOUND_EXACT, 0, MOVE_3);  // another position, a better bound: A moves down
    EXPECT_TRUE(holds(0, KEY_B, MOVE_3) && holds(1, KEY_A, MOVE_2));
    store(KEY_C, 2, BOUND_UPPER);  // worth neither slot: slot 2
    EXPECT_TRUE(holds(1, KEY_A, MOVE_2) && holds(2, KEY_C, MOVE_1));
    store(KEY_D, 6, BOUND_UPPER);  // as deep as slot 1 with a worse bound: slot 2
    EXPECT_TRUE(holds(1, KEY_A, MOVE_2) && holds(2, KEY_D, MOVE_1));
    store(KEY_C, 6, BOUND_EXACT, 0, MOVE_2);  // as deep as slot 1 with a better bound: slot 1
    EXPECT_TRUE(holds(0, KEY_B, MOVE_3) && holds(1, KEY_C, MOVE_2) && holds(2, KEY_D, MOVE_1));
}

TEST_F(Table, BookEntriesGiveTheirMoveButNeverAScoreAndGiveWayToSearchResults) {
    table.storeBookMove(standOn(KEY_A), MOVE_3);  // a cleared slot: depth 0, "exact", the lowest score
    PlyRecord ply{};
    ply.ttScore = 999;
    int alpha = -100, beta = 100, result = 0;
    for (int depth : {0, -5})
        EXPECT_FALSE(probeAndApply(table, standOn(KEY_A), depth, alpha, beta, ply, {true, false}, result));
    EXPECT_EQ(ply.hashMove, MOVE_3);
    EXPECT_EQ(ply.ttScore, 999);
    EXPECT_TRUE(alpha == -100 && beta == 100);
    store(KEY_A, 0, BOUND_LOWER, 40, MOVE_2);  // a depth-0 result never replaces the book move
    EXPECT_TRUE(holds(0, KEY_A, MOVE_3) && isBookEntry(slot(0)));
    store(KEY_B, 0, BOUND_UPPER, 5, MOVE_2);  // but a result of another position displaces it
    EXPECT_TRUE(holds(0, KEY_B, MOVE_2) && holds(1, KEY_A, MOVE_3) && isBookEntry(slot(1)));
    store(KEY_A, 1, BOUND_UPPER, 40, MOVE_1);  // and a searched result of its own position replaces it
    EXPECT_FALSE(isBookEntry(*probe(KEY_A)));
}

// The root returns only scores below the mate range: a mate is searched again.
TEST_F(Table, TheRootReturnsOnlyScoresBelowTheMateRange) {
    const struct {
        Bound bound;
        int score;
        bool returnedAtRoot;
    } cases[] = {{BOUND_EXACT, MATE_THRESHOLD - 1, true},
                 {BOUND_EXACT, MATE_THRESHOLD, false},
                 {BOUND_LOWER, 8095, false},
                 {BOUND_UPPER, -8095, true}};
    for (const auto& c : cases) {
        table.clear();
        store(KEY_A, 9, c.bound, c.score);
        PlyRecord ply{};
        int alpha = -100, beta = 100, result = 0;
        EXPECT_EQ(probeAndApply(table, *board, 9, alpha, beta, ply, {true, true}, result), c.returnedAtRoot) << c.score;
        EXPECT_EQ(ply.hashMove, c.returnedAtRoot ? 0 : MOVE_1);  // searched again, its move first
        alpha = -100, beta = 100;
        // An inner node returns it.
        EXPECT_TRUE(probeAndApply(table, *board, 9, alpha, beta, ply, {true, false}, result)) << c.score;
    }
}

// The design's table: 2^19 buckets a half, the bucket a mask of the key's low half.
TEST_F(Table, TheDefaultTableIsTheDesignsAndItsBucketsAreTheKeysLow19Bits) {
    EXPECT_EQ(table.byteSize(), 37748736u);
    EXPECT_EQ(TT_DEFAULT_MB, 36u);
    const HashSlot* first = table.bucketOf(0, BLACK);
    for (const HashKey key : {KEY_A, KEY_B, KEY_C, HashKey{0xFFFFFFFFFFFFFFFFULL}})
        for (const Side side : {BLACK, WHITE})
            EXPECT_EQ(table.bucketOf(key, side) - first,
                      TT_BUCKET_SIZE * static_cast<std::ptrdiff_t>((keyLow(key) & 0x7FFFF) + (side << 19)));
}

// Any size: the largest number of buckets that fits, each key in the bucket its low half
// modulo the half's size gives (the fast modulo checked against the division).
TEST_F(Table, AnySizeHoldsTheBucketsThatFitAndFindsWhatWasStored) {
    std::mt19937_64 random(7);
    for (const std::size_t megabytes : {1, 3, 17, 64}) {
        std::string why;
        ASSERT_TRUE(table.resize(megabytes, why)) << why;
        const std::size_t half = megabytes * 1024 * 1024 / TT_BUCKET_BYTES / 2;
        EXPECT_EQ(table.bucketCount(), 2 * half);
        const HashSlot* first = table.bucketOf(0, BLACK);
        for (int i = 0; i < 1000; ++i) {
            const HashKey key = random();
            const Side side = static_cast<Side>(i & 1);
            EXPECT_EQ(static_cast<std::size_t>(table.bucketOf(key, side) - first),
                      TT_BUCKET_SIZE * (keyLow(key) % half + static_cast<std::size_t>(side) * half))
                << megabytes << " MB, key " << key;
        }
        // A few thousand positions in a table of tens of thousands of buckets: each is found
        // with its own move (the key check keeps other positions' entries apart).
        std::vector<HashKey> keys(3000);
        for (HashKey& key : keys) key = random();
        for (std::size_t i = 0; i < keys.size(); ++i) store(keys[i], 4, BOUND_EXACT, 0, static_cast<Move>(i));
        std::size_t found = 0;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (const std::optional<HashEntry> e = probe(keys[i])) {
                EXPECT_EQ(entryMove(*e), static_cast<Move>(i));
                ++found;
            }
        EXPECT_GT(found, keys.size() * 98 / 100) << megabytes << " MB";
    }
}

// A size out of range or beyond the machine is refused and the table kept as it was.
TEST_F(Table, ARefusedSizeKeepsTheTableAndItsEntries) {
    store(KEY_A, 7, BOUND_EXACT, 55, MOVE_2);
    for (const std::size_t megabytes : {std::size_t{0}, TT_MAX_MB + 1, TT_MAX_MB}) {
        std::string why;
        EXPECT_FALSE(table.resize(megabytes, why)) << megabytes;  // this machine has far less than 64 GB
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(table.byteSize(), 37748736u);
        ASSERT_TRUE(probe(KEY_A).has_value());
        EXPECT_EQ(entryScore(*probe(KEY_A)), 55);
    }
}
