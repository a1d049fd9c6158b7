#include "board/tables.h"

#include "board/castling.h"

namespace {

constexpr bool onBoard(int file, int row) { return file >= 0 && file < 8 && row >= 0 && row < 8; }

// Squares reached by single steps (dFile, dRow) from each square.
template <std::size_t N>
constexpr SquareSets buildStepAttacks(const int (&steps)[N][2]) {
    SquareSets table{};
    for (Square s = 0; s < 64; ++s)
        for (const auto& step : steps) {
            const int f = fileOf(s) + step[0], r = rowOf(s) + step[1];
            if (onBoard(f, r)) table[s] |= bitOf(makeSquare(f, r));
        }
    return table;
}

constexpr int KING_STEPS[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
constexpr int KNIGHT_STEPS[8][2] = {{-2, -1}, {-1, -2}, {1, -2}, {2, -1}, {-2, 1}, {-1, 2}, {1, 2}, {2, 1}};
constexpr int WHITE_PAWN_STEPS[2][2] = {{-1, -1}, {1, -1}};  // one row toward rank 8
constexpr int BLACK_PAWN_STEPS[2][2] = {{-1, 1}, {1, 1}};

template <typename IndexOf>
constexpr SquareSets buildRotatedBits(IndexOf indexOf) {
    SquareSets table{};
    for (Square s = 0; s < 64; ++s) table[s] = bitOf(indexOf(s));
    return table;
}

constexpr SquareSets buildFileExcept() {
    SquareSets table{};
    for (Square s = 0; s < 64; ++s) table[s] = fileMask(fileOf(s)) & ~bitOf(s);
    return table;
}

constexpr Bitboard adjacentFilesOf(int file) {
    return (file > 0 ? fileMask(file - 1) : 0) | (file < 7 ? fileMask(file + 1) : 0);
}

constexpr SquareSets buildAdjacentFiles() {
    SquareSets table{};
    for (Square s = 0; s < 64; ++s) table[s] = adjacentFilesOf(fileOf(s));
    return table;
}

// Rows strictly ahead of s for side: toward rank 8 for White, rank 1 for Black.
constexpr Bitboard rowsAhead(Side side, Square s) {
    Bitboard rows = 0;
    for (int r = 0; r < 8; ++r)
        if (side == WHITE ? r < rowOf(s) : r > rowOf(s)) rows |= rankMask(r);
    return rows;
}

constexpr std::array<SquareSets, 2> buildFrontSpan() {
    std::array<SquareSets, 2> table{};
    for (Side side : {BLACK, WHITE})
        for (Square s = 0; s < 64; ++s) table[side][s] = rowsAhead(side, s) & fileMask(fileOf(s));
    return table;
}

constexpr std::array<SquareSets, 2> buildPassedMask() {
    std::array<SquareSets, 2> table{};
    for (Side side : {BLACK, WHITE})
        for (Square s = 0; s < 64; ++s)
            table[side][s] = rowsAhead(side, s) & (fileMask(fileOf(s)) | adjacentFilesOf(fileOf(s)));
    return table;
}

// ---- Sliding tables -------------------------------------------------------
// A line is a run of squares; element j of a line of length n is bit n - 1 - j of
// the occupancy index (so the a-file / rank-8 end is the high bit).
struct Line {
    Square squares[8];
    int length;
};

constexpr Line rankLine(Square s) {
    Line line{};
    line.length = 8;
    for (int f = 0; f < 8; ++f) line.squares[f] = makeSquare(f, rowOf(s));
    return line;
}

constexpr Line fileLine(Square s) {
    Line line{};
    line.length = 8;
    for (int r = 0; r < 8; ++r) line.squares[r] = makeSquare(fileOf(s), r);
    return line;
}

// The diagonal through s in increasing file order; rowStep is -1 for a1-h8, +1 for a8-h1.
constexpr Line diagonalLine(Square s, int rowStep) {
    int f = fileOf(s), r = rowOf(s);
    while (onBoard(f - 1, r - rowStep)) --f, r -= rowStep;
    Line line{};
    while (onBoard(f, r)) line.squares[line.length++] = makeSquare(f, r), ++f, r += rowStep;
    return line;
}

constexpr Bitboard walkLine(const Line& line, Square s, unsigned index) {
    int at = 0;
    while (line.squares[at] != s) ++at;
    Bitboard attacks = 0;
    for (int j = at + 1; j < line.length; ++j) {
        attacks |= bitOf(line.squares[j]);
        if (index & (1u << (line.length - 1 - j))) break;
    }
    for (int j = at - 1; j >= 0; --j) {
        attacks |= bitOf(line.squares[j]);
        if (index & (1u << (line.length - 1 - j))) break;
    }
    return attacks;
}

template <typename LineOf>
constexpr SlidingTable buildSlidingTable(LineOf lineOf) {
    SlidingTable table{};
    for (Square s = 0; s < 64; ++s) {
        const Line line = lineOf(s);
        for (unsigned index = 0; index < (1u << line.length); ++index) table[s][index] = walkLine(line, s, index);
    }
    return table;
}

constexpr Line a1h8Line(Square s) { return diagonalLine(s, -1); }
constexpr Line h1a8Line(Square s) { return diagonalLine(s, +1); }

constexpr BySquare<std::uint8_t> buildDiagShift(int (*diagonalOf)(Square), bool packedInReverse) {
    BySquare<std::uint8_t> table{};
    for (Square s = 0; s < 64; ++s) {
        const int d = diagonalOf(s);
        const int order = packedInReverse ? 14 - d : d;
        table[s] = static_cast<std::uint8_t>(64 - (DIAG_FIRST_INDEX[order] + diagLength(order)));
    }
    return table;
}

constexpr BySquare<std::uint8_t> buildDiagMask(int (*diagonalOf)(Square)) {
    BySquare<std::uint8_t> table{};
    for (Square s = 0; s < 64; ++s) table[s] = static_cast<std::uint8_t>((1u << diagLength(diagonalOf(s))) - 1);
    return table;
}

constexpr int a1h8Diagonal(Square s) { return diagA1H8Of(s); }
constexpr int h1a8Diagonal(Square s) { return diagH1A8Of(s); }

template <typename Attacks>
constexpr SquareSets buildEmptyBoardRays(Attacks attacks) {
    SquareSets table{};
    for (Square s = 0; s < 64; ++s) table[s] = attacks(s);
    return table;
}

constexpr SquareSets buildEpToggle(const SquareSets& rotatedBit) {
    SquareSets table{};
    for (Square t = 16; t < 24; ++t) table[t] = rotatedBit[t] | rotatedBit[t + 8];
    for (Square t = 40; t < 48; ++t) table[t] = rotatedBit[t] | rotatedBit[t - 8];
    return table;
}

Bitboard rotate(Bitboard b, const SquareSets& rotatedBit) {
    Bitboard result = 0;
    while (b) result |= rotatedBit[popLowestSquare(b)];
    return result;
}

}  // namespace

extern constexpr SquareSets KING_ATTACKS = buildStepAttacks(KING_STEPS);
extern constexpr SquareSets KNIGHT_ATTACKS = buildStepAttacks(KNIGHT_STEPS);
extern constexpr std::array<SquareSets, 2> PAWN_ATTACKS = {buildStepAttacks(BLACK_PAWN_STEPS),
                                                           buildStepAttacks(WHITE_PAWN_STEPS)};

extern constexpr SquareSets SQUARE_BIT = buildRotatedBits([](Square s) { return s; });
extern constexpr SquareSets SQUARE_BIT_90 = buildRotatedBits(rotatedIndex90);
extern constexpr SquareSets SQUARE_BIT_A1H8 = buildRotatedBits(rotatedIndexA1H8);
extern constexpr SquareSets SQUARE_BIT_H1A8 = buildRotatedBits(rotatedIndexH1A8);

extern constexpr BySquare<OccupancyBits> OCCUPANCY_BITS = [] {
    BySquare<OccupancyBits> bits{};
    for (Square s = 0; s < 64; ++s) bits[s] = {SQUARE_BIT[s], SQUARE_BIT_90[s], SQUARE_BIT_A1H8[s], SQUARE_BIT_H1A8[s]};
    return bits;
}();

extern constexpr std::array<OccupancyBits, 4> CASTLING_OCCUPANCY = [] {
    std::array<OccupancyBits, 4> flips{};
    for (std::size_t k = 0; k < flips.size(); ++k) {
        const CastlingSquares& c = CASTLING_SQUARES[k];
        for (Square s : {c.kingFrom, c.kingTo, c.rookFrom, c.rookTo}) {
            flips[k].normal ^= OCCUPANCY_BITS[s].normal;
            flips[k].rot90 ^= OCCUPANCY_BITS[s].rot90;
            flips[k].a1h8 ^= OCCUPANCY_BITS[s].a1h8;
            flips[k].h1a8 ^= OCCUPANCY_BITS[s].h1a8;
        }
    }
    return flips;
}();

extern constexpr SquareSets FILE_EXCEPT = buildFileExcept();
extern constexpr SquareSets ADJACENT_FILES = buildAdjacentFiles();
extern constexpr std::array<SquareSets, 2> PASSED_MASK = buildPassedMask();
extern constexpr std::array<SquareSets, 2> FRONT_SPAN = buildFrontSpan();

extern constexpr SlidingTable RANK_ATTACKS = buildSlidingTable(rankLine);
extern constexpr SlidingTable FILE_ATTACKS = buildSlidingTable(fileLine);
extern constexpr SlidingTable DIAG_A1H8_ATTACKS = buildSlidingTable(a1h8Line);
extern constexpr SlidingTable DIAG_H1A8_ATTACKS = buildSlidingTable(h1a8Line);
extern constexpr BySquare<std::uint8_t> DIAG_A1H8_SHIFT = buildDiagShift(a1h8Diagonal, false);
extern constexpr BySquare<std::uint8_t> DIAG_A1H8_MASK = buildDiagMask(a1h8Diagonal);
extern constexpr BySquare<std::uint8_t> DIAG_H1A8_SHIFT = buildDiagShift(h1a8Diagonal, true);
extern constexpr BySquare<std::uint8_t> DIAG_H1A8_MASK = buildDiagMask(h1a8Diagonal);

extern constexpr SquareSets BISHOP_RAYS = buildEmptyBoardRays(
    [](Square s) { return DIAG_A1H8_ATTACKS[s][0] | DIAG_H1A8_ATTACKS[s][0]; });
extern constexpr SquareSets ROOK_RAYS = buildEmptyBoardRays(
    [](Square s) { return RANK_ATTACKS[s][0] | FILE_ATTACKS[s][0]; });
extern constexpr SquareSets QUEEN_RAYS = buildEmptyBoardRays(
    [](Square s) { return BISHOP_RAYS[s] | ROOK_RAYS[s]; });

extern constexpr SquareSets EP_TOGGLE_90 = buildEpToggle(SQUARE_BIT_90);
extern constexpr SquareSets EP_TOGGLE_A1H8 = buildEpToggle(SQUARE_BIT_A1H8);
extern constexpr SquareSets EP_TOGGLE_H1A8 = buildEpToggle(SQUARE_BIT_H1A8);

Bitboard rotate90(Bitboard b) { return rotate(b, SQUARE_BIT_90); }
Bitboard rotateA1H8(Bitboard b) { return rotate(b, SQUARE_BIT_A1H8); }
Bitboard rotateH1A8(Bitboard b) { return rotate(b, SQUARE_BIT_H1A8); }

extern constexpr BySquare<BySquare<std::uint8_t>> KING_DISTANCE = [] {
    BySquare<BySquare<std::uint8_t>> distance{};
    for (Square a = 0; a < 64; ++a)
        for (Square b = 0; b < 64; ++b) distance[a][b] = static_cast<std::uint8_t>(chebyshevDistance(a, b));
    return distance;
}();
