// The legality tests that use the check information (and the squares to test) of the
// position before the move must give the general test's answer for every move the
// generators produce.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/movegen_helpers.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

struct Tally {
    int moves = 0;
    int mismatches = 0;
    int discoveredAttacks = 0;  // illegal moves of a piece other than the king, made out of no check
    std::string firstMismatch;
};

bool kingMoved(Move move, Side mover) { return moveTo(move) == position.kingSquare[mover]; }

// One ply of the walk: the check information of its position, the undo record of its move.
struct WalkPly {
    CheckInfo check;
    UndoRecord undo;
};
constexpr int MAX_WALK_DEPTH = 3;
WalkPly walkPlies[MAX_WALK_DEPTH];
MoveEntry walkLists[MAX_WALK_DEPTH * MAX_MOVES_PER_POSITION];

// Compares both answers for every generated move here and, to `depth` plies, below.
void compareBelow(int depth, WalkPly* ply, MoveEntry* list, Tally& tally) {
    computeCheckInfo(ply->check);
    const Side mover = position.sideToMove;
    const bool inCheck = ply->check.checkers != 0;
    MoveEntry* const end = MOVE_GENERATORS[inCheck ? GEN_EVASIONS : GEN_ALL][mover](list, ply->check);
    const Bitboard toTest = squaresToTest(ply->check);
    saveUndoInfo(ply->undo);
    for (MoveEntry* e = list; e != end; ++e) {
        const Move move = e->move;
        makeMove(move, ply->undo);
        const bool general = leavesKingAttacked(move, mover);
        const bool shortcut = leavesKingAttacked(move, mover, ply->check);
        const bool pinShortcut = leavesKingAttacked(move, mover, ply->check, toTest);
        ++tally.moves;
        if ((general != shortcut || general != pinShortcut) && tally.mismatches++ == 0)
            tally.firstMismatch = currentFen() + " after " + moveText(move);
        if (general && !inCheck && !kingMoved(move, mover) && moveKind(move) != KIND_EN_PASSANT) ++tally.discoveredAttacks;
        if (!general && depth > 1) compareBelow(depth - 1, ply + 1, end, tally);
        unmakeMove(move, ply->undo);
    }
}

void expectSameAnswers(const std::vector<std::string>& fens, int depth, Tally& tally) {
    for (const std::string& fen : fens) {
        setUpOrFail(fen.c_str());
        ASSERT_LE(depth, MAX_WALK_DEPTH);
        compareBelow(depth, walkPlies, walkLists, tally);
    }
    EXPECT_EQ(tally.mismatches, 0) << "first: " << tally.firstMismatch;
}

}  // namespace

// Two plies from every position of the real-games file.
TEST(LegalityShortcut, AgreesWithTheGeneralTestOnRealPositions) {
    Tally tally;
    expectSameAnswers(readDataLines("real_positions.fen"), 2, tally);
    EXPECT_GT(tally.moves, 100000);
    EXPECT_GT(tally.discoveredAttacks, 0);  // the shortcut's own answer was put to the test
}

// Pins along a rank, a file and both diagonals, pieces moving along and off the pin
// line, a pinned pawn promoting, the en-passant capture that uncovers a rank, checks
// by sliders, knights and pawns, and castling: three plies from each.
TEST(LegalityShortcut, AgreesOnPinsChecksAndEnPassant) {
    const std::vector<std::string> fens = {
        "4k3/4r3/8/8/8/8/4N3/4K3 w - -",          // knight pinned on the e-file
        "4k3/8/8/b7/8/8/3B4/4K3 w - -",           // bishop pinned, may slide along a5-e1
        "4k3/8/8/8/8/8/8/r2RK3 w - -",            // rook pinned along the first rank
        "7k/8/8/8/8/5q2/8/3Q3K w - -",            // queen pinned-free, king on a diagonal
        "8/8/8/K2pP2r/8/8/8/7k w - d6",           // exd6 e.p. uncovers the fifth rank
        "1r2k3/P7/8/8/8/8/8/K7 w - -",            // a promotion that captures or steps
        "4k3/8/8/8/1b6/8/3P4/4K3 w - -",          // d-pawn pinned by the b4 bishop
        "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
        "4k3/8/8/8/8/3n4/8/4K3 w - -",            // knight check
        "4k3/8/8/8/8/8/3p4/4K3 w - -",            // pawn check
        "r3k2r/8/8/8/8/8/8/R3K2R b KQkq -",       // castling both ways, rooks facing
        "4k3/4r3/8/8/4B3/8/4N3/4K3 w - -",        // two own pieces on the line: neither pinned
        "4k3/4r3/8/4p3/8/8/4N3/4K3 w - -",        // an enemy pawn shields the knight
        "4k3/8/8/8/q7/8/2R5/4K3 w - -",           // rook pinned diagonally by a queen: no move is legal
        "4k3/8/8/8/8/2q5/3B4/4K3 w - -",          // bishop pinned, may capture its pinner
        "k7/8/8/3q4/8/3R4/8/1Q1K3r w - -",        // rook pinned on the d-file, king also on a rank line
    };
    Tally tally;
    expectSameAnswers(fens, 3, tally);
    EXPECT_GT(tally.discoveredAttacks, 0);
}
