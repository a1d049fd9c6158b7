#include "eval/kingsafety.h"

#include <algorithm>

#include "board/pst.h"
#include "eval/evalconst.h"

namespace {

// One wing of castled-king shelter, squares from White's side.
struct ShelterWing {
    Bitboard kingSquares;   // the king stands on one of these
    Bitboard rookSquares;   // and no own rook on these (a rook there means the king has not castled)
    Bitboard pawnSquares;   // each own pawn here earns the per-pawn bonus
    Bitboard cornerPawns;   // one own pawn here earns half of it once more
    int adjust;             // per-pawn bonus = base + adjust
};

constexpr ShelterWing SHORT_WING = {squaresNamed({"f1", "g1", "h1"}), squaresNamed({"g1", "h1"}),
                                    squaresNamed({"f2", "g2", "h2"}), squaresNamed({"g2", "h2"}),
                                    SHORT_SHELTER_ADJUST};
constexpr ShelterWing LONG_WING = {squaresNamed({"a1", "b1", "c1"}), squaresNamed({"a1", "b1"}),
                                   squaresNamed({"a2", "b2", "c2"}), squaresNamed({"a2", "b2"}),
                                   LONG_SHELTER_ADJUST};

static_assert((SHORT_WING.kingSquares & LONG_WING.kingSquares) == 0, "a king stands on one wing at most");

// Shelter of side S's king standing on the wing: nothing while an own rook stands
// where a castled king's rook would not. Inlined, so that the wing's squares fold
// into constants.
template <Side S>
[[gnu::always_inline]] inline int wingShelter(const Position& pos, const ShelterWing& wing) {
    if (pos.pieceBoards[rookOf(S)] & forSide<S>(wing.rookSquares)) return 0;
    const Bitboard pawns = pawnsOf(pos, S);
    const int base = hasQueen(pos, S ^ 1) ? SHELTER_BASE_ENEMY_QUEEN : SHELTER_BASE_NO_ENEMY_QUEEN;
    const int perPawn = base + wing.adjust;
    int bonus = perPawn * popCount(pawns & forSide<S>(wing.pawnSquares));
    if (pawns & forSide<S>(wing.cornerPawns)) bonus += perPawn / 2;
    return bonus;
}

// Shelter bonus of side S's king, positive for S. The wings do not overlap: the
// king stands on one of them at most.
template <Side S>
int sideShelter(const Position& pos) {
    const Bitboard king = bitOf(pos.kingSquare[S]);
    if (king & forSide<S>(SHORT_WING.kingSquares)) return wingShelter<S>(pos, SHORT_WING);
    if (king & forSide<S>(LONG_WING.kingSquares)) return wingShelter<S>(pos, LONG_WING);
    return 0;
}

// Adds the counts for one file next to the king; steps grow once the count reaches 4.
int exposeNeighbourFile(int count, Bitboard file, Bitboard own, Bitboard theirs) {
    if (!(file & own)) count += EXPOSURE_NEIGHBOUR_NO_OWN_PAWN + (count >= EXPOSURE_STEEP_FROM);
    if (!(file & theirs)) count += EXPOSURE_NEIGHBOUR_NO_ENEMY_PAWN + (count >= EXPOSURE_STEEP_FROM);
    return count;
}

// Danger to side S's king: its exposure times the enemy's tropism weight, positive for the enemy.
template <Side S>
int dangerTo(const Position& pos, const EvalState& state) {
    if (pos.pieceMaterial[S ^ 1] <= KING_DANGER_ABOVE) return 0;
    // Tropism cannot reach 128 with at most 16 pieces a side; the clamp keeps the lookup safe regardless.
    const int tropism = std::min<int>(state.tropism[S ^ 1], KING_ATTACK_WEIGHT_SIZE - 1);
    return SHELTER_FACTOR[state.exposure[S]] * KING_ATTACK_WEIGHT[tropism];
}

}  // namespace

int kingPlacementScore(const Position& pos) {
    const PieceSquareTable& table = currentPst(pos, PST_KING);
    return table[pos.kingSquare[WHITE]] - table[pos.kingSquare[BLACK]];
}

int kingShelterScore(const Position& pos) {
    if (pos.totalMaterial <= SHELTER_ABOVE) return 0;
    return sideShelter<WHITE>(pos) - sideShelter<BLACK>(pos);
}

template <Side S>
std::uint8_t kingExposure(const Position& pos) {
    if (pos.totalMaterial <= SHELTER_ABOVE) return 0;
    const Square king = pos.kingSquare[S];
    const Bitboard own = pawnsOf(pos, S);
    const Bitboard theirs = pawnsOf(pos, S ^ 1);
    int count = 0;
    if (!(FILE_EXCEPT[king] & own)) count = EXPOSURE_OWN_FILE_NO_OWN_PAWN;
    if (!(FILE_EXCEPT[king] & theirs))
        count += count ? EXPOSURE_OWN_FILE_NO_ENEMY_PAWN_MORE : EXPOSURE_OWN_FILE_NO_ENEMY_PAWN_ALONE;
    // The h side first, then the a side.
    if (fileOf(king) != 7) count = exposeNeighbourFile(count, FILE_EXCEPT[king + 1], own, theirs);
    if (fileOf(king) != 0) count = exposeNeighbourFile(count, FILE_EXCEPT[king - 1], own, theirs);
    if (hasQueen(pos, S ^ 1)) count += EXPOSURE_ENEMY_QUEEN;
    return static_cast<std::uint8_t>(count);
}

template std::uint8_t kingExposure<WHITE>(const Position&);
template std::uint8_t kingExposure<BLACK>(const Position&);

int kingDangerScore(const Position& pos, const EvalState& state) { return dangerTo<BLACK>(pos, state) - dangerTo<WHITE>(pos, state); }

void addKingPlacementAndShelter(const Position& pos, EvalState& state) {
    state.score += kingPlacementScore(pos);
    state.score += kingShelterScore(pos);
    state.exposure[WHITE] = kingExposure<WHITE>(pos);
    state.exposure[BLACK] = kingExposure<BLACK>(pos);
}
