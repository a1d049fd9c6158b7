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
[[gnu::always_inline]] inline int wingShelter(const ShelterWing& wing) {
    if (position.pieceBoards[rookOf(S)] & forSide<S>(wing.rookSquares)) return 0;
    const Bitboard pawns = pawnsOf(S);
    const int base = hasQueen(S ^ 1) ? SHELTER_BASE_ENEMY_QUEEN : SHELTER_BASE_NO_ENEMY_QUEEN;
    const int perPawn = base + wing.adjust;
    int bonus = perPawn * popCount(pawns & forSide<S>(wing.pawnSquares));
    if (pawns & forSide<S>(wing.cornerPawns)) bonus += perPawn / 2;
    return bonus;
}

// Shelter bonus of side S's king, positive for S. The wings do not overlap: the
// king stands on one of them at most.
template <Side S>
int sideShelter() {
    const Bitboard king = bitOf(position.kingSquare[S]);
    if (king & forSide<S>(SHORT_WING.kingSquares)) return wingShelter<S>(SHORT_WING);
    if (king & forSide<S>(LONG_WING.kingSquares)) return wingShelter<S>(LONG_WING);
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
int dangerTo(const EvalState& state) {
    if (position.pieceMaterial[S ^ 1] <= KING_DANGER_ABOVE) return 0;
    // Tropism cannot reach 128 with at most 16 pieces a side; the clamp keeps the lookup safe regardless.
    const int tropism = std::min<int>(state.tropism[S ^ 1], KING_ATTACK_WEIGHT_SIZE - 1);
    return SHELTER_FACTOR[state.exposure[S]] * KING_ATTACK_WEIGHT[tropism];
}

}  // namespace

int kingPlacementScore() {
    const PieceSquareTable& table = currentPst(PST_KING);
    return table[position.kingSquare[WHITE]] - table[position.kingSquare[BLACK]];
}

int kingShelterScore() {
    if (position.totalMaterial <= SHELTER_ABOVE) return 0;
    return sideShelter<WHITE>() - sideShelter<BLACK>();
}

template <Side S>
std::uint8_t kingExposure() {
    if (position.totalMaterial <= SHELTER_ABOVE) return 0;
    const Square king = position.kingSquare[S];
    const Bitboard own = pawnsOf(S);
    const Bitboard theirs = pawnsOf(S ^ 1);
    int count = 0;
    if (!(FILE_EXCEPT[king] & own)) count = EXPOSURE_OWN_FILE_NO_OWN_PAWN;
    if (!(FILE_EXCEPT[king] & theirs))
        count += count ? EXPOSURE_OWN_FILE_NO_ENEMY_PAWN_MORE : EXPOSURE_OWN_FILE_NO_ENEMY_PAWN_ALONE;
    // The h side first, then the a side.
    if (fileOf(king) != 7) count = exposeNeighbourFile(count, FILE_EXCEPT[king + 1], own, theirs);
    if (fileOf(king) != 0) count = exposeNeighbourFile(count, FILE_EXCEPT[king - 1], own, theirs);
    if (hasQueen(S ^ 1)) count += EXPOSURE_ENEMY_QUEEN;
    return static_cast<std::uint8_t>(count);
}

template std::uint8_t kingExposure<WHITE>();
template std::uint8_t kingExposure<BLACK>();

int kingDangerScore(const EvalState& state) { return dangerTo<BLACK>(state) - dangerTo<WHITE>(state); }

void addKingPlacementAndShelter(EvalState& state) {
    state.score += kingPlacementScore();
    state.score += kingShelterScore();
    state.exposure[WHITE] = kingExposure<WHITE>();
    state.exposure[BLACK] = kingExposure<BLACK>();
}
