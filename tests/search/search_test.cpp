// search: the null-move rules, the check extension, cut-off bookkeeping, repetitions.
#include <gtest/gtest.h>

#include "board/validate.h"
#include "board/zobrist.h"
#include "search/history.h"
#include "search/nullmove.h"
#include "search/search.h"
#include "search/search_helpers.h"
#include "search/searchstate.h"
#include "support/board_helpers.h"

namespace {

constexpr int FULL = NO_SCORE;

// A search called as the root would call it for its child at ply 1.
int searchAtPlyOne(int depth, int alpha, int beta, bool nullAllowed) {
    iterationDepth = FIRST_ITERATION_DEPTH;
    stopFlag.store(0);
    plyRecords[0].moveListEnd = moveListArray;
    plyRecords[1].moveListEnd = nullptr;
    currentPly = plyRecords + 1;
    const PositionSnapshot before = takeSnapshot();
    const int score = search(depth, 1, alpha, beta, nullAllowed);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords + 1);
    currentPly = plyRecords;
    return score;
}

TEST(NullMoveReduction, FollowsMaterialAndDepth) {
    EXPECT_EQ(nullMoveReduction(0, 4), 0);   // pawns only: never
    EXPECT_EQ(nullMoveReduction(5, 7), 0);   // a rook at depth 7: no null move
    EXPECT_EQ(nullMoveReduction(5, 6), 2);
    EXPECT_EQ(nullMoveReduction(14, 7), 3);  // queen and rook at depth 7
    EXPECT_EQ(nullMoveReduction(14, 6), 2);
    EXPECT_EQ(nullMoveReduction(6, 7), 2);   // two minors: enough to pass, too little for R = 3
    EXPECT_EQ(nullMoveReduction(3, 4), 2);   // a minor at depth 4
}

TEST(NullMove, PassesTheTurnClearsEnPassantAndIsTakenBackExactly) {
    setUpOrFail("4k3/3p4/8/4P3/8/8/8/4K3 b - -");
    playGameMoves({"d7d5"});  // the double step creates d6 and its key
    ASSERT_NE(position.epSquare, 0);
    const PositionSnapshot before = takeSnapshot();
    makeNullMove(plyRecords[0].undo);
    EXPECT_EQ(position.sideToMove, BLACK);
    EXPECT_EQ(position.epSquare, 0);
    EXPECT_EQ(historyTop[-1].move, NULL_MOVE);
    EXPECT_EQ(historyTop->reversibleCount, historyTop[-1].reversibleCount + 1);
    const HashKey nullKey = position.hashKey;
    const std::uint32_t nullPawnKey = position.pawnKey;
    EXPECT_EQ(historyTop->key(), nullKey);
    unmakeNullMove(plyRecords[0].undo);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_TRUE(validatePosition().empty());
    // Keys have no side-to-move term, and a set-up none for en passant: passing leaves the
    // key of the bare placement.
    setUpOrFail("4k3/8/8/3pP3/8/8/8/4K3 b - -");
    EXPECT_EQ(position.hashKey, nullKey);
    EXPECT_EQ(position.pawnKey, nullPawnKey);
}

// White's only move is Kg1, after which Re1 mates: seen only when the check is extended.
constexpr const char* CHECKED_TWICE = "4r1k1/5ppp/8/2b5/8/8/P4nPP/7K w - -";

TEST(CheckExtension, TheFirstCheckOfASideOnThePathIsNotExtended) {
    setUpOrFail(CHECKED_TWICE);
    checkCount[WHITE] = checkCount[BLACK] = 0;
    EXPECT_GT(searchAtPlyOne(1, -FULL, FULL, true), -MATE_THRESHOLD);
    EXPECT_EQ(checkCount[WHITE], 0u);
}

TEST(CheckExtension, TheSecondCheckOfTheSameSideIsExtendedByOnePly) {
    setUpOrFail(CHECKED_TWICE);
    checkCount[WHITE] = 1;  // White was in check once already on this path
    checkCount[BLACK] = 0;
    // Kg1 at ply 1, Re1 at ply 2, mated at ply 3.
    EXPECT_EQ(searchAtPlyOne(1, -FULL, FULL, true), 3 - MATE_SCORE);
    EXPECT_EQ(checkCount[WHITE], 1u);  // the node uncounted itself
    checkCount[WHITE] = 0;
}

TEST(Cutoff, ACaptureUpdatesHistoryButNotTheKillers) {
    setUpOrFail("4k3/8/8/3q4/4P3/8/8/4K3 w - -");  // exd5 wins the queen
    const Move capture = coordinateMove("e4d5");
    EXPECT_GE(searchAtPlyOne(2, 0, 1, false), 1);
    EXPECT_EQ(historyTable[WHITE][capture & 0xFFF], 4u);  // depth 2 squared
    EXPECT_EQ(plyRecords[1].killer1, 0);
    EXPECT_EQ(plyRecords[1].killer2, 0);
}

TEST(Cutoff, AQuietMoveBecomesTheFirstKiller) {
    setUpOrFail("6k1/5ppp/8/8/8/8/8/R5K1 w - -");  // Ra8 mates
    const Move mate = coordinateMove("a1a8");
    EXPECT_GE(searchAtPlyOne(2, 8000, 8001, false), 8001);  // only the mate reaches beta
    EXPECT_EQ(plyRecords[1].killer1, mate);
    EXPECT_EQ(historyTable[WHITE][mate & 0xFFF], 4u);
}

TEST(Repetition, AMoveThatRepeatsAPositionInsideTheTreeScoresZero) {
    // Black, a queen down, can only hope to repeat: Nf6-g8 brings back the start.
    constexpr const char* QUEEN_DOWN = "4k1n1/8/8/8/8/8/8/3QK1N1 w - -";
    setUpOrFail(QUEEN_DOWN);
    playGameMoves({"g1f3", "g8f6", "f3g1"});
    EXPECT_EQ(searchAtPlyOne(1, -FULL, FULL, false), 0);
    // The same position without that history is simply lost.
    setUpOrFail("4k3/8/5n2/8/8/8/8/3QK1N1 b - -");
    EXPECT_LT(searchAtPlyOne(1, -FULL, FULL, false), -500);
}

}  // namespace
