#include "eval/imbalance.h"

#include "eval/evalconst.h"

int materialImbalance(const Position& pos, int minor, int major) {
    const bool whiteQueen = hasQueen(pos, WHITE);
    const bool blackQueen = hasQueen(pos, BLACK);
    const bool queensBalanced = whiteQueen == blackQueen;

    if (minor == 0) {
        if (major > 0) return queensBalanced ? IMBALANCE_EXTRA_PIECE : 0;
        if (major < 0) return queensBalanced ? -IMBALANCE_EXTRA_PIECE : 0;
        if (whiteQueen != blackQueen) return whiteQueen ? IMBALANCE_LONE_QUEEN : -IMBALANCE_LONE_QUEEN;
        return 0;
    }
    switch (major) {
        case -2: return minor > 2 ? IMBALANCE_THREE_MINORS_FOR_TWO_MAJORS : 0;
        case -1:
            if (minor > 1) return IMBALANCE_TWO_MINORS_FOR_MAJOR;
            return minor == 1 ? -IMBALANCE_MINOR_FOR_MAJOR : 0;
        case 0: return queensBalanced ? (minor > 0 ? IMBALANCE_EXTRA_PIECE : -IMBALANCE_EXTRA_PIECE) : 0;
        case 1:
            if (minor < -1) return -IMBALANCE_TWO_MINORS_FOR_MAJOR;
            return minor == -1 ? IMBALANCE_MINOR_FOR_MAJOR : 0;
        case 2: return minor < -2 ? -IMBALANCE_THREE_MINORS_FOR_TWO_MAJORS : 0;
        default: return 0;
    }
}

void addMaterialImbalance(const Position& pos, EvalState& state) {
    if (pos.pieceMaterial[WHITE] < IMBALANCE_FROM && pos.pieceMaterial[BLACK] < IMBALANCE_FROM) return;
    state.score += materialImbalance(pos, state.minorBalance, state.majorBalance);
}
