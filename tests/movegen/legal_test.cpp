// Legal-move queries for callers outside the search, and the generators checked
// against each other and against independent counts over positions from real games.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "movegen/movegen_helpers.h"
#include "movegen/perft.h"
#include "support/board_helpers.h"

namespace {

std::vector<std::string> realPositions() {
    std::ifstream in(std::string(ZORVAK_TEST_DATA) + "/real_positions.fen");
    std::vector<std::string> fens;
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) fens.push_back(line);
    return fens;
}

// The legal moves found by trying every generateAll entry, even when in check.
std::vector<std::string> legalFromGenerateAll() {
    const Side mover = position.sideToMove;
    CheckInfo check;
    computeCheckInfo(check);
    MoveEntry list[MAX_MOVES_PER_POSITION];
    MoveEntry* const end = MOVE_GENERATORS[GEN_ALL][mover](list, check);
    UndoRecord undo;
    saveUndoInfo(undo);
    std::vector<std::string> legal;
    for (MoveEntry* e = list; e != end; ++e) {
        makeMove(e->move, undo);
        if (!leavesKingAttacked(e->move, mover)) legal.push_back(moveText(e->move));
        unmakeMove(e->move, undo);
    }
    std::sort(legal.begin(), legal.end());
    return legal;
}

MoveKind kindOf(const std::string& row) { return std::stoi(row.substr(row.rfind(' ') + 1)); }
bool isCaptureRow(const std::string& row) {
    const MoveKind kind = kindOf(row);
    return kind == KIND_CAPTURE || kind == KIND_EN_PASSANT || (kind >= KIND_CAPTURE_PROMOTE_QUEEN && kind <= 11);
}
int scoreOf(const std::string& row) { return std::stoi(row.substr(row.find(' ') + 1)); }

// Captures a generateAll row set would keep: the same entries with the same scores,
// the promotion captures whatever they score.
std::set<std::string> expectedCaptures() {
    std::set<std::string> expected;
    for (const std::string& row : allMoves())
        if (isCaptureRow(row) && (scoreOf(row) >= -10000 || kindOf(row) >= KIND_CAPTURE_PROMOTE_QUEEN))
            expected.insert(row);
    return expected;
}

std::set<std::string> captureRows() {
    std::set<std::string> actual;
    for (const std::string& row : captureMoves())
        if (isCaptureRow(row)) actual.insert(row);
    return actual;
}

}  // namespace

// Over every position of the real-games file: the leaf counts equal those Debian's
// stockfish 15.1 gives for the same file (go perft 1 and 2 per position, summed); the
// evasion generator finds the same legal moves as the full generator; the capture
// generator keeps exactly the full generator's captures that do not lose.
TEST(RealPositions, GeneratorsAgreeWithEachOtherAndWithAnIndependentCount) {
    const std::vector<std::string> fens = realPositions();
    ASSERT_EQ(fens.size(), 606u);
    std::uint64_t depth1 = 0, depth2 = 0;
    int checks = 0;
    for (const std::string& fen : fens) {
        SCOPED_TRACE(fen);
        setUpOrFail(fen.c_str());
        depth1 += perft(1);
        depth2 += perft(2);
        EXPECT_EQ(sortedLegalMoves(), legalFromGenerateAll());
        CheckInfo check;
        computeCheckInfo(check);
        if (check.checkers) {
            ++checks;
            continue;
        }
        EXPECT_EQ(captureRows(), expectedCaptures());
    }
    EXPECT_EQ(depth1, 20951u);
    EXPECT_EQ(depth2, 705259u);
    EXPECT_GT(checks, 20);  // enough positions in check to mean something
}

TEST(IsLegalMove, AcceptsOnlyTheLegalMovesAndLeavesThePositionAlone) {
    setUpOrFail("r3k2r/8/8/8/4p3/8/3P4/R3K2R w KQkq -");
    const PositionSnapshot before = takeSnapshot();
    EXPECT_TRUE(isLegalMove(coordinateMove("d2d4")));
    EXPECT_TRUE(isLegalMove(coordinateMove("e1g1")));
    EXPECT_TRUE(isLegalMove(coordinateMove("a1a8")));
    EXPECT_FALSE(isLegalMove(coordinateMove("d2d5")));     // no such pawn move
    EXPECT_FALSE(isLegalMove(coordinateMove("e4e3")));     // the other side's pawn
    EXPECT_FALSE(isLegalMove(coordinateMove("a1a1")));
    EXPECT_FALSE(isLegalMove(makeMoveCode(SQ_E1, SQ_G1, KIND_QUIET)));  // castling needs its kind
    EXPECT_FALSE(isLegalMove(makeMoveCode(51, 35, KIND_CAPTURE)));      // a step is no capture
    EXPECT_FALSE(isLegalMove(0));
    EXPECT_FALSE(isLegalMove(NULL_MOVE));
    EXPECT_FALSE(isLegalMove(VERDICT_STALEMATE));
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(IsLegalMove, OnlyTheKingMayAnswerAnAdjacentRookCheck) {
    setUpOrFail("4k3/8/8/8/8/8/4r3/R3K2R w KQ -");
    EXPECT_FALSE(isLegalMove(coordinateMove("e1g1")));  // no castling out of check
    EXPECT_FALSE(isLegalMove(coordinateMove("e1f2")));  // along the rook's rank
    EXPECT_FALSE(isLegalMove(coordinateMove("a1a2")));  // leaves the check standing
    EXPECT_EQ(sortedLegalMoves(), (std::vector<std::string>{"e1d1", "e1e2", "e1f1"}));
}
