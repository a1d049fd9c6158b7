#include "board/pst.h"

namespace {

// ---- The sixteen tables, one line per rank from rank 8 to rank 1, files a..h ----

constexpr PieceSquareTable KING_TABLE_A = {
    4,   12,  -4,  -6,  -6,  -4,  12,  4,
    -9,  -14, -24, -29, -29, -24, -14, -9,
    -19, -28, -39, -30, -30, -39, -28, -19,
    -25, -39, -40, -55, -55, -40, -39, -25,
    -25, -39, -40, -55, -55, -40, -39, -25,
    -19, -28, -39, -30, -30, -39, -28, -19,
    -9,  -14, -24, -29, -29, -24, -14, -9,
    4,   12,  -2,  -6,  -6,  -2,  12,  4,
};

constexpr PieceSquareTable KING_TABLE_B = {
    0,  6,   -2,  -3,  -3,  -2,  6,   0,
    -3, -5,  -10, -15, -15, -10, -5,  -3,
    -7, -14, -14, -18, -18, -14, -14, -7,
    -8, -19, -28, -35, -35, -28, -19, -8,
    -8, -19, -28, -35, -35, -28, -19, -8,
    -7, -14, -12, -18, -18, -12, -14, -7,
    -3, -5,  -14, -19, -19, -14, -5,  -3,
    0,  6,   -2,  -3,  -3,  -2,  6,   0,
};

constexpr PieceSquareTable KING_TABLE_C = {
    -8, -6, -4, -2, -2, -4, -6, -8,
    -6, -4, -2, 0,  0,  -2, -4, -6,
    -4, -2, 0,  2,  2,  0,  -2, -4,
    -2, 0,  2,  4,  4,  2,  0,  -2,
    -2, 0,  2,  4,  4,  2,  0,  -2,
    -4, -2, 0,  2,  2,  0,  -2, -4,
    -6, -4, -2, 0,  0,  -2, -4, -6,
    -8, -6, -4, -2, -2, -4, -6, -8,
};

constexpr PieceSquareTable KING_TABLE_D = {
    -26, -19, -12, -9, -9, -12, -19, -26,
    -19, -15, -6,  0,  0,  -6,  -15, -19,
    -15, -6,  0,   4,  4,  0,   -6,  -15,
    -12, 0,   4,   9,  9,  4,   0,   -12,
    -12, 0,   4,   9,  9,  4,   0,   -12,
    -15, -6,  0,   4,  4,  0,   -6,  -15,
    -19, -15, -6,  0,  0,  -6,  -15, -19,
    -26, -19, -12, -9, -9, -12, -19, -26,
};

// A pawn never stands on rank 8: the first line of each pawn table is never read.
constexpr PieceSquareTable PAWN_TABLE_A = {
    99, 99, 99, 99, 99, 99, 99, 99,
    18, 31, 33, 40, 40, 33, 31, 18,
    4,  5,  18, 26, 26, 18, 5,  4,
    1,  1,  4,  16, 16, 4,  1,  1,
    0,  0,  3,  12, 12, 3,  0,  0,
    0,  -1, 1,  2,  2,  -1, -1, 0,
    0,  0,  0,  -9, -9, 0,  0,  0,
    0,  0,  0,  0,  0,  0,  0,  0,
};

constexpr PieceSquareTable PAWN_TABLE_B = {
    199, 199, 199, 199, 199, 199, 199, 199,
    29,  44,  48,  53,  53,  48,  44,  29,
    9,   10,  14,  20,  20,  14,  10,  9,
    3,   6,   10,  16,  16,  10,  6,   3,
    1,   4,   6,   14,  14,  6,   4,   1,
    0,   1,   0,   4,   4,   0,   1,   0,
    0,   0,   0,   -9,  -9,  0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,
};

constexpr PieceSquareTable PAWN_TABLE_C = {
    299, 299, 299, 299, 299, 299, 299, 299,
    52,  64,  67,  75,  75,  67,  64,  52,
    30,  32,  35,  45,  45,  35,  32,  30,
    15,  16,  22,  28,  28,  22,  16,  15,
    6,   8,   17,  20,  20,  17,  8,   6,
    2,   3,   1,   4,   4,   1,   3,   2,
    0,   0,   0,   -9,  -9,  0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,
};

constexpr PieceSquareTable PAWN_TABLE_D = {
    499, 499, 499, 499, 499, 499, 499, 499,
    72,  90,  99,  104, 104, 99,  90,  72,
    45,  54,  60,  65,  65,  60,  54,  45,
    18,  24,  28,  30,  28,  24,  30,  18,
    9,   12,  14,  18,  18,  14,  12,  9,
    1,   3,   1,   4,   4,   1,   3,   1,
    0,   0,   0,   -9,  -9,  0,   0,   0,
    0,   0,   0,   0,   0,   0,   0,   0,
};

constexpr PieceSquareTable KNIGHT_TABLE_A = {
    -20, -18, -6,  -4,  -4,  -6,  -18, -20,
    -15, -5,  0,   1,   1,   0,   -5,  -15,
    -9,  4,   10,  9,   9,   10,  4,   -9,
    -6,  5,   12,  17,  17,  12,  5,   -6,
    -6,  5,   12,  17,  17,  12,  5,   -6,
    -9,  4,   10,  9,   9,   10,  4,   -9,
    -15, -6,  -1,  2,   2,   -1,  -6,  -15,
    -20, -18, -12, -10, -10, -12, -18, -20,
};

constexpr PieceSquareTable KNIGHT_TABLE_B = {
    -19, -14, -6, -4, -4, -6, -14, -19,
    -14, -5,  0,  1,  1,  0,  -5,  -14,
    -9,  4,   8,  9,  9,  8,  4,   -9,
    -6,  5,   9,  15, 15, 9,  5,   -6,
    -6,  5,   9,  15, 15, 9,  5,   -6,
    -9,  4,   8,  9,  9,  8,  4,   -9,
    -14, -6,  -1, 2,  2,  -1, -6,  -14,
    -19, -14, -8, -6, -6, -8, -14, -19,
};

// Deliberately not left-right symmetric; kept exactly as tuned.
constexpr PieceSquareTable BISHOP_TABLE_A = {
    -15, -12, -14, -9, -9,  -14, -12, -27,
    6,   2,   2,   2,  2,   6,   -12, -5,
    4,   5,   8,   8,  5,   4,   -5,  0,
    6,   9,   13,  13, 9,   6,   0,   0,
    6,   9,   13,  13, 9,   6,   0,   -5,
    4,   5,   8,   8,  5,   4,   -5,  -12,
    6,   2,   2,   2,  2,   6,   -12, -15,
    -12, -14, -9,  -9, -14, -12, -15, 0,
};

constexpr PieceSquareTable BISHOP_TABLE_B = {
    -15, -10, -9, -5, -5, -9, -10, -15,
    -10, 4,   2,  2,  2,  2,  4,   -10,
    -1,  4,   8,  8,  8,  7,  4,   -1,
    1,   7,   10, 13, 13, 10, 7,   1,
    1,   7,   10, 13, 13, 10, 7,   1,
    -1,  4,   8,  8,  8,  8,  4,   -1,
    -10, 4,   2,  2,  2,  2,  4,   -10,
    -15, -10, -9, -5, -5, -9, -10, -15,
};

constexpr PieceSquareTable ROOK_TABLE_A = {
    2,   4,  5, 6, 6, 5, 4,  2,
    7,   9,  11, 12, 12, 11, 9, 7,
    -1,  0,  4, 5, 5, 4, 0,  -1,
    -3,  -2, 3, 4, 4, 3, -2, -3,
    -4,  -3, 2, 3, 3, 2, -3, -4,
    -4,  -3, 2, 3, 3, 2, -3, -4,
    -6,  -2, 2, 3, 3, 2, -2, -6,
    -10, -9, 0, 1, 1, 0, -9, -10,
};

// ROOK_TABLE_A with a milder first rank.
constexpr PieceSquareTable ROOK_TABLE_B = {
    2,  4,  5, 6, 6, 5, 4,  2,
    7,  9,  11, 12, 12, 11, 9, 7,
    -1, 0,  4, 5, 5, 4, 0,  -1,
    -3, -2, 3, 4, 4, 3, -2, -3,
    -4, -3, 2, 3, 3, 2, -3, -4,
    -4, -3, 2, 3, 3, 2, -3, -4,
    -6, -2, 2, 3, 3, 2, -2, -6,
    -8, -6, 0, 1, 1, 0, -6, -8,
};

constexpr PieceSquareTable QUEEN_TABLE_A = {
    -1, 0,  1, 2, 2, 1, 0,  -1,
    2,  4,  3, 3, 3, 3, 4,  2,
    1,  2,  2, 2, 2, 2, 2,  1,
    0,  1,  1, 1, 1, 1, 1,  0,
    0,  1,  1, 1, 1, 1, 1,  0,
    -1, 2,  1, 1, 1, 1, 2,  -1,
    -2, -2, 0, 3, 3, 0, -2, -2,
    -4, -3, 0, 9, 9, 0, -3, -4,
};

constexpr PieceSquareTable QUEEN_TABLE_B = {
    -1, 2,  3, 4, 4, 3, 2,  -1,
    6,  7,  8, 9, 9, 8, 7,  6,
    3,  4,  5, 6, 6, 5, 4,  3,
    1,  2,  4, 7, 7, 4, 2,  1,
    0,  1,  3, 5, 5, 3, 1,  0,
    -1, 0,  1, 3, 3, 1, 0,  -1,
    -2, -2, 0, 0, 0, 0, -2, -2,
    -4, -3, 0, 1, 1, 0, -3, -4,
};

// ---- Material bands: the lowest totalMaterial of each band -------------------
constexpr int BAND_A_FROM = 71;  // king, pawn and piece tables A
constexpr int BAND_B_FROM = 63;  // king B, pawn B
constexpr int BAND_C_FROM = 47;  // king B, pawn C
constexpr int BAND_D_FROM = 15;  // king C, pawn C; below it king D, pawn D

constexpr const PieceSquareTable* kingTableAt(int m) {
    if (m >= BAND_A_FROM) return &KING_TABLE_A;
    if (m >= BAND_C_FROM) return &KING_TABLE_B;
    if (m >= BAND_D_FROM) return &KING_TABLE_C;
    return &KING_TABLE_D;
}

constexpr int pawnTableIdAt(int m) {
    if (m >= BAND_A_FROM) return 0;
    if (m >= BAND_B_FROM) return 1;
    if (m >= BAND_D_FROM) return 2;
    return 3;
}

constexpr const PieceSquareTable* PAWN_TABLES[4] = {&PAWN_TABLE_A, &PAWN_TABLE_B, &PAWN_TABLE_C, &PAWN_TABLE_D};

constexpr const PieceSquareTable* pawnTableAt(int m) { return PAWN_TABLES[pawnTableIdAt(m)]; }

// Knights, bishops, rooks and queens switch once, from A to B.
constexpr const PieceSquareTable* pieceTableAt(int m, const PieceSquareTable& a, const PieceSquareTable& b) {
    return m >= BAND_A_FROM ? &a : &b;
}

constexpr auto buildSelectors() {
    std::array<std::array<const PieceSquareTable*, PST_MATERIAL_LIMIT + 1>, PST_KIND_COUNT> selectors{};
    for (int m = 0; m <= PST_MATERIAL_LIMIT; ++m) {
        selectors[PST_KING][m] = kingTableAt(m);
        selectors[PST_PAWN][m] = pawnTableAt(m);
        selectors[PST_KNIGHT][m] = pieceTableAt(m, KNIGHT_TABLE_A, KNIGHT_TABLE_B);
        selectors[PST_BISHOP][m] = pieceTableAt(m, BISHOP_TABLE_A, BISHOP_TABLE_B);
        selectors[PST_ROOK][m] = pieceTableAt(m, ROOK_TABLE_A, ROOK_TABLE_B);
        selectors[PST_QUEEN][m] = pieceTableAt(m, QUEEN_TABLE_A, QUEEN_TABLE_B);
    }
    return selectors;
}

}  // namespace

constinit const std::array<std::array<const PieceSquareTable*, PST_MATERIAL_LIMIT + 1>, PST_KIND_COUNT>
    pstByMaterial = buildSelectors();

int currentPawnTableId(const Position& pos) { return pawnTableIdAt(pstMaterial(pos)); }
