#include "analysis/judgement.h"

#include <algorithm>
#include <cmath>

namespace {

bool isMate(int score) { return score > MATE_THRESHOLD || score < -MATE_THRESHOLD; }

// A side mated at ply p scores p - MATE_SCORE: mate at an odd ply is the side to move's.
int movesToMate(int score) { return score > 0 ? (MATE_SCORE - score + 1) / 2 : -(MATE_SCORE + score) / 2; }

int capped(int score) { return std::clamp(score, -LOSS_CAP_CENTIPAWNS, LOSS_CAP_CENTIPAWNS); }

}  // namespace

double expectedScore(int score) {
    if (isMate(score)) return score > 0 ? 1.0 : 0.0;
    return 1.0 / (1.0 + std::pow(10.0, -score / EXPECTED_SCORE_SCALE));
}

int nagForMove(int before, int after) {
    const double drop = expectedScore(before) - expectedScore(after);
    if (drop >= BLUNDER_DROP) return NAG_BLUNDER;
    if (drop >= MISTAKE_DROP) return NAG_MISTAKE;
    if (drop >= DUBIOUS_DROP) return NAG_DUBIOUS;
    return 0;
}

int centipawnLoss(int before, int after) { return std::max(0, capped(before) - capped(after)); }

Evaluation whiteEvaluation(int score, Side sideToMove) {
    const int sign = sideToMove == WHITE ? 1 : -1;
    if (isMate(score)) return Evaluation::mateIn(sign * movesToMate(score));
    return Evaluation::centipawns(sign * score);
}
