// The generators and legality tests checked against each other and against stockfish
// over every position of real games (tests/data/real_positions.fen).
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "board/fen.h"
#include "board/validate.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/legal.h"
#include "movegen/perft.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

using Entries = std::set<std::pair<Move, int>>;  // move and score

Entries generated(GeneratorKind kind) {
    CheckInfo check;
    computeCheckInfo(gamePosition, check);
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const MoveEntry* const end = MOVE_GENERATORS[kind][gamePosition.sideToMove](gamePosition, list, check);
    Entries entries;
    for (const MoveEntry* e = list; e != end; ++e) entries.insert({e->move, e->score});
    return entries;
}

std::set<Move> legalMoves() {
    MoveEntry list[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(gamePosition, list);
    std::set<Move> moves;
    for (int i = 0; i < count; ++i) moves.insert(list[i].move);
    return moves;
}

// Whether the move, made, leaves the mover's king attacked.
bool leavesAttacked(Move move) {
    const Side mover = gamePosition.sideToMove;
    UndoRecord undo;
    saveUndoInfo(gamePosition, undo);
    makeMove(gamePosition, move, undo);
    const bool attacked = leavesKingAttacked(gamePosition, move, mover);
    unmakeMove(gamePosition, move, undo);
    return attacked;
}

bool isCaptureKind(MoveKind kind) {
    return kind == KIND_CAPTURE || kind == KIND_EN_PASSANT ||
           (kind >= KIND_CAPTURE_PROMOTE_QUEEN && kind <= KIND_CAPTURE_PROMOTE_BISHOP);
}

// The pseudo-legality test of the SAN reader against the generators: of all the move
// codes from a square of the side to move, the pseudo-legal ones that leave the king
// safe are exactly the legal moves; castling is never pseudo-legal. (A king step next to
// the other king is left out: the generators never write one, so the legality test
// after the move does not look for it.)
void expectPseudoLegalityAgrees(const std::set<Move>& legal) {
    const Square king = gamePosition.kingSquare[gamePosition.sideToMove];
    const Bitboard besideOtherKing = KING_ATTACKS[gamePosition.kingSquare[gamePosition.sideToMove ^ 1]];
    for (Bitboard own = gamePosition.sidePieces(gamePosition.sideToMove); own;) {
        const Square from = popLowestSquare(own);
        for (Square to = 0; to < 64; ++to)
            for (MoveKind kind = 0; kind < 16; ++kind) {
                if (kind == KIND_NO_MOVE) continue;
                const Move move = makeMoveCode(from, to, kind);
                if (from == king && (besideOtherKing & bitOf(to))) continue;
                const bool pseudo = isPseudoLegal(gamePosition, move);
                if (isCastlingKind(kind)) ASSERT_FALSE(pseudo) << move;
                else ASSERT_EQ(pseudo && !leavesAttacked(move), legal.count(move) == 1) << std::hex << move;
            }
    }
}

}  // namespace

// Each FEN (pgn-extract's, of every ply of real games) reads back as itself, and distinct
// positions get distinct keys. The leaf counts equal those Debian's stockfish 15.1 gives for
// the same file (go perft 1 and 2 per position, summed); the evasion generator finds the same
// legal moves as the full generator; the capture generator keeps exactly the full generator's
// captures that do not lose, with the same scores, and every promotion capture; and the
// SAN reader's pseudo-legality test agrees with them.
TEST(RealPositions, GeneratorsAgreeWithEachOtherAndWithStockfish) {
    const std::vector<std::string> fens = readDataLines("real_positions.fen");
    ASSERT_EQ(fens.size(), 606u);
    std::uint64_t depth1 = 0, depth2 = 0;
    int checks = 0;
    std::set<HashKey> keys;
    for (const std::string& fen : fens) {
        SCOPED_TRACE(fen);
        ASSERT_TRUE(setUpBoard(gamePosition, fen.c_str()));
        EXPECT_EQ(currentFen(), fen);
        EXPECT_EQ(validatePosition(gamePosition), "");
        keys.insert(gamePosition.hashKey ^ (gamePosition.sideToMove == WHITE ? 1 : 0));  // side to move folded in
        depth1 += perft(gamePosition, 1);
        depth2 += perft(gamePosition, 2);
        std::set<Move> byTrial;
        Entries keptCaptures;
        for (const auto& [move, score] : generated(GEN_ALL)) {
            if (!leavesAttacked(move)) byTrial.insert(move);
            if (isCaptureKind(moveKind(move)) && (score >= -10000 || moveKind(move) >= KIND_CAPTURE_PROMOTE_QUEEN))
                keptCaptures.insert({move, score});
        }
        EXPECT_EQ(legalMoves(), byTrial);
        expectPseudoLegalityAgrees(byTrial);
        CheckInfo check;
        computeCheckInfo(gamePosition, check);
        if (check.checkers) {
            ++checks;
            continue;
        }
        Entries captures;
        for (const auto& entry : generated(GEN_CAPTURES))
            if (isCaptureKind(moveKind(entry.first))) captures.insert(entry);
        EXPECT_EQ(captures, keptCaptures);
    }
    EXPECT_GT(keys.size(), fens.size() - 5);
    EXPECT_EQ(depth1, 20951u);
    EXPECT_EQ(depth2, 705259u);
    EXPECT_GT(checks, 20);  // enough positions in check to mean something
}
