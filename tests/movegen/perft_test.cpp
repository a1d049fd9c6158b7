// Perft: leaf counts of the legal move tree against published and independent counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "movegen/perft.h"
#include "support/board_helpers.h"

namespace {

struct PerftCase {
    const char* name;
    const char* fen;
    std::vector<std::uint64_t> leaves;  // leaves[d - 1] = perft(d)
};

// Every depth of the case; the board is recounted from scratch after each make and
// unmake of the first two plies.
void expectCounts(const PerftCase& c) {
    SCOPED_TRACE(c.name);
    setUpOrFail(c.fen);
    for (int depth = 1; depth <= static_cast<int>(c.leaves.size()); ++depth) {
        std::string fault;
        EXPECT_EQ(perftValidated(depth, 2, fault), c.leaves[depth - 1]) << "depth " << depth;
        EXPECT_EQ(fault, "") << "depth " << depth;
    }
}

}  // namespace

// Published counts of the standard test positions.
TEST(Perft, PublishedStandardPositions) {
    const PerftCase cases[] = {
        {"initial position", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", {20, 400, 8902, 197281}},
        {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", {48, 2039, 97862, 4085603}},
        {"position 3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", {14, 191, 2812, 43238, 674624}},
        {"position 4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", {6, 264, 9467, 422333}},
        {"position 5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -", {44, 1486, 62379, 2103487}},
        {"position 6", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -",
         {46, 2079, 89890, 3894594}},
    };
    for (const PerftCase& c : cases) expectCounts(c);
}

// The counts of the stress positions below come from Debian's stockfish 15.1
// ("position fen FEN" then "go perft N"), computed independently of this engine.

// En passant: pins along the rank and the diagonal, captures that check, none that may not be taken.
TEST(Perft, EnPassant) {
    const PerftCase cases[] = {
        {"ep would uncover a rank attack, white", "8/8/8/KPp4r/8/8/8/6k1 w - c6", {4, 68, 317, 5621, 31752}},
        {"ep would uncover a rank attack, black", "6K1/8/8/8/kpP4R/8/8/8 b - c3", {4, 68, 317, 5621, 31752}},
        {"ep beside the king on its rank", "8/8/8/8/k2Pp2Q/8/8/3K4 b - d3", {6, 136, 863, 20471, 117741}},
        {"ep by a pawn pinned on a diagonal", "k7/8/8/8/3Pp3/8/8/4K2B b - d3", {3, 27, 175, 1913, 11293}},
        {"ep that gives check", "8/8/1k6/2b5/2pP4/8/5K2/8 b - d3", {15, 126, 1928, 13931, 206379}},
        {"no ep after a single step", "3k4/3p4/8/K1P4r/8/8/8/8 b - -", {18, 92, 1670, 10138, 185429}},
        {"no ep beside a pawn two files away", "8/8/4k3/8/2p5/8/B2P2K1/8 w - -", {13, 102, 1266, 10276, 135655}},
    };
    for (const PerftCase& c : cases) expectCounts(c);
}

// Castling out of, through and into check, next to the other king, giving check, and
// rights lost when a rook is taken on its corner.
TEST(Perft, Castling) {
    const PerftCase cases[] = {
        {"castling rights all four", "r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", {26, 568, 13744, 314346}},
        {"castling with bishops and queen on the corners", "r3k2r/1b4bq/8/8/8/8/7B/R3K2R w KQkq -", {26, 1141, 27826, 1274206}},
        {"castling prevented by queens", "r3k2r/8/3Q4/8/8/5q2/8/R3K2R b KQkq -", {44, 1494, 50509, 1720476}},
        {"short castling through an attacked f1", "4kr2/8/8/8/8/8/8/R3K2R w KQ -", {23, 271, 6617, 99418}},
        {"long castling into an attacked c1", "2r1k3/8/8/8/8/8/8/R3K2R w KQ -", {25, 344, 8812, 136157}},
        {"long castling past an attacked b1", "1r2k3/8/8/8/8/8/8/R3K2R w KQ -", {26, 357, 9198, 142850}},
        {"castling out of check", "4k3/4r3/8/8/8/8/8/R3K2R w KQ -", {4, 68, 1654, 26787}},
        {"black castling out of check", "r3k2r/4R3/8/8/8/8/8/4K3 b kq -", {3, 41, 842, 12032}},
        {"short castling next to the other king", "8/8/8/8/8/8/6k1/4K2R w K -", {12, 38, 564, 2219, 37735}},
        {"long castling next to the other king", "8/8/8/8/8/8/1k6/R3K3 w Q -", {15, 65, 1018, 4573, 80619}},
        {"short castling gives check", "5k2/8/8/8/8/8/8/4K2R w K -", {15, 66, 1198, 6399, 120330}},
        {"long castling gives check", "3k4/8/8/8/8/8/8/R3K3 w Q -", {16, 71, 1286, 7418, 141077}},
        {"rights lost by captures on the corners", "r3k2r/8/6N1/8/3B4/8/8/R3K2R w KQkq -", {44, 900, 34283, 737613}},
    };
    for (const PerftCase& c : cases) expectCounts(c);
}

// Promotions to all four pieces, with and without capture, in and out of check.
TEST(Perft, Promotions) {
    const PerftCase cases[] = {
        {"promotions with and without capture", "n1n5/PPPk4/8/8/8/8/4Kppp/5N1N b - -", {24, 496, 9483, 182838}},
        {"promotion out of check", "2K2r2/4P3/8/8/8/8/8/3k4 w - -", {11, 133, 1442, 19174, 266199}},
        {"promotion that gives check", "4k3/1P6/8/8/8/8/K7/8 w - -", {9, 40, 472, 2661, 38983}},
        {"underpromotion that gives check", "8/P1k5/K7/8/8/8/8/8 w - -", {6, 27, 273, 1329, 18135, 92683}},
    };
    for (const PerftCase& c : cases) expectCounts(c);
}

// Double and discovered checks, stalemate and mate, and the position with 218 moves.
TEST(Perft, ChecksAndMates) {
    const PerftCase cases[] = {
        {"double check by knight and rook", "4k3/8/5N2/8/8/8/8/4R1K1 b - -", {3, 75, 229, 5345}},
        {"double checks one ply on", "8/8/2k5/5q2/5n2/8/5K2/8 b - -", {37, 183, 6559, 23527}},
        {"discovered check", "8/8/1P2K3/8/2n5/1q6/8/5k2 b - -", {29, 165, 5160, 31961}},
        {"self stalemate", "K1k5/8/P7/8/8/8/8/8 w - -", {2, 6, 13, 63, 382, 2217}},
        {"stalemate and checkmate", "8/k1P5/8/1K6/8/8/8/8 w - -", {10, 25, 268, 926, 10857, 43261}},
        {"218 moves", "R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -", {218, 99}},
    };
    for (const PerftCase& c : cases) expectCounts(c);
}
