// Every number of the evaluation in one place: piece values, material
// thresholds, term sizes and the tropism and king-danger tables.
// (The piece-square tables live in board/pst.cpp, where the exchange evaluator reads them too.)
#pragma once

#include <array>
#include <cstdint>

// ---- Piece values (a piece adds its square's table value to these) ----------
inline constexpr int PAWN_VALUE = 100;
inline constexpr int KNIGHT_VALUE = 310;
inline constexpr int BISHOP_VALUE = 315;
inline constexpr int ROOK_VALUE = 500;
inline constexpr int QUEEN_VALUE = 950;

// ---- Material thresholds (units: pawn 1, minor 3, rook 5, queen 9) -----------
inline constexpr int DEAD_DRAW_BELOW = 4;      // totalMaterial below this with no pawns: bare kings or one minor
inline constexpr int SHELTER_ABOVE = 35;       // shelter and exposure only count above this totalMaterial
inline constexpr int KING_DANGER_ABOVE = 13;   // attacker's pieceMaterial needed for king danger
inline constexpr int IMBALANCE_FROM = 5;       // either side's pieceMaterial needed for the imbalance term

// ---- King shelter: per-pawn base, larger while the enemy still has a queen ---
inline constexpr int SHELTER_BASE_ENEMY_QUEEN = 11;
inline constexpr int SHELTER_BASE_NO_ENEMY_QUEEN = 5;
inline constexpr int SHORT_SHELTER_ADJUST = 1;   // short side: base + 1 per pawn
inline constexpr int LONG_SHELTER_ADJUST = -2;   // long side: base - 2 per pawn

// ---- King exposure counts --------------------------------------------------
inline constexpr int EXPOSURE_OWN_FILE_NO_OWN_PAWN = 2;
inline constexpr int EXPOSURE_OWN_FILE_NO_ENEMY_PAWN_ALONE = 1;   // when nothing was counted yet
inline constexpr int EXPOSURE_OWN_FILE_NO_ENEMY_PAWN_MORE = 2;    // on top of an open own file
inline constexpr int EXPOSURE_STEEP_FROM = 4;                     // from this count on, increments grow by 1
inline constexpr int EXPOSURE_NEIGHBOUR_NO_OWN_PAWN = 2;          // 3 from EXPOSURE_STEEP_FROM on
inline constexpr int EXPOSURE_NEIGHBOUR_NO_ENEMY_PAWN = 1;        // 2 from EXPOSURE_STEEP_FROM on
inline constexpr int EXPOSURE_ENEMY_QUEEN = 1;
inline constexpr int EXPOSURE_MAX = 15;

// ---- Pawn structure ------------------------------------------------------------
inline constexpr int DOUBLED_PAWN_PENALTY = 8;
inline constexpr int PASSER_BONUS_PER_ROW = 16;     // times the rows advanced from the first rank
inline constexpr int ISOLATED_PAWN_PENALTY = 18;
inline constexpr int ISOLATED_OPEN_PAWN_PENALTY = 6;  // more, with no enemy pawn ahead on its file
inline constexpr int ATTACKED_PAWN_UNIT = 8;        // times (attack weight - defenders)
inline constexpr int ATTACK_WEIGHT_ONE = 2;         // one enemy pawn attacks it
inline constexpr int ATTACK_WEIGHT_TWO = 3;         // two enemy pawns attack it

// ---- Bishops -------------------------------------------------------------------
inline constexpr int TRAPPED_BISHOP_PENALTY = 220;
inline constexpr int BISHOP_PAIR_BONUS = 32;

// ---- Rooks ---------------------------------------------------------------------
inline constexpr int ROOK_BEHIND_PASSER = 20;
inline constexpr int ROOK_HALF_OPEN_FILE = 8;
inline constexpr int ROOK_OPEN_FILE_EXTRA = 12;
inline constexpr int ROOK_ON_SEVENTH = 12;
inline constexpr int ROOKS_ON_SEVENTH_EXTRA = 12;
inline constexpr int SEVENTH_ENEMY_KING_ON_EIGHTH = 36;
inline constexpr int SEVENTH_ENEMY_KING_ON_SEVENTH = 12;

// ---- Material imbalance ----------------------------------------------------------
inline constexpr int IMBALANCE_THREE_MINORS_FOR_TWO_MAJORS = 130;
inline constexpr int IMBALANCE_TWO_MINORS_FOR_MAJOR = 100;
inline constexpr int IMBALANCE_MINOR_FOR_MAJOR = 60;
inline constexpr int IMBALANCE_EXTRA_PIECE = 100;
inline constexpr int IMBALANCE_LONE_QUEEN = 60;

// ---- Tropism: added per piece by its distance to the enemy king (0..7) ---------
using TropismTable = std::array<std::uint8_t, 8>;
inline constexpr TropismTable KNIGHT_NEAR_KING = {4, 5, 5, 2, 1, 0, 0, 0};
inline constexpr TropismTable BISHOP_NEAR_KING = {5, 5, 4, 2, 1, 0, 0, 0};
inline constexpr TropismTable ROOK_NEAR_KING = {6, 5, 4, 2, 1, 0, 0, 0};
inline constexpr TropismTable QUEEN_NEAR_KING = {9, 9, 8, 4, 2, 1, 0, 0};

// ---- King danger ----------------------------------------------------------------
inline constexpr int KING_ATTACK_WEIGHT_SIZE = 128;
inline constexpr int KING_ATTACK_WEIGHT_CAP = 200;  // every index past the listed ones
inline constexpr std::array<std::int16_t, 58> KING_ATTACK_WEIGHT_LISTED = {
    0,   1,   3,   8,   10,  15,  20,  25,  30,  35,  40,  45,  50,  55,  60,  65,  70,  75,  80,  85,
    90,  95,  100, 110, 115, 117, 120, 122, 125, 127, 130, 132, 135, 137, 140, 142, 145, 147, 150, 152,
    155, 157, 160, 162, 165, 167, 170, 172, 165, 167, 170, 172, 175, 177, 190, 192, 195, 197};

// Indexed by the attacking side's tropism; the dip after index 47 is part of the tuning.
inline constexpr std::array<std::int16_t, KING_ATTACK_WEIGHT_SIZE> KING_ATTACK_WEIGHT = [] {
    std::array<std::int16_t, KING_ATTACK_WEIGHT_SIZE> weights{};
    for (int i = 0; i < KING_ATTACK_WEIGHT_SIZE; ++i)
        weights[i] = i < static_cast<int>(KING_ATTACK_WEIGHT_LISTED.size()) ? KING_ATTACK_WEIGHT_LISTED[i]
                                                                              : KING_ATTACK_WEIGHT_CAP;
    return weights;
}();

// Indexed by the defending king's exposure (0..15).
inline constexpr std::array<std::int16_t, EXPOSURE_MAX + 1> SHELTER_FACTOR = {1, 1, 1, 1, 2, 2, 2, 2,
                                                                              3, 3, 3, 3, 4, 4, 4, 4};

// Evaluations stay clear of mate scores (MATE_SCORE less the deepest ply) and of
// the transposition table's 14-bit score field.
inline constexpr int EVAL_LIMIT = 7800;
