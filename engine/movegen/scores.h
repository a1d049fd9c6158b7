// Ordering scores the generators and the exchange evaluator write: the higher,
// the earlier the search tries the move.
#pragma once

#include "movegen/see.h"

// A capture whose victim is worth at least the capturer less SEE_MARGIN scores
// victim - capturer + SCORE_CAPTURE_BAND; a cheaper victim is left to staticExchange.
inline constexpr int SCORE_CAPTURE_BAND = -9500;
inline constexpr int SEE_MARGIN = 50;
inline constexpr int SCORE_EN_PASSANT = -9500;
inline constexpr int SCORE_QUIET = -30000;
inline constexpr int SCORE_CASTLE_SHORT = -29000;
inline constexpr int SCORE_CASTLE_LONG = -29500;
// Promotions to queen, knight, rook, bishop (plus the victim's value for a capture).
inline constexpr int PROMOTION_SCORE[4] = {-9401, -30005, -30025, -30050};
// generateCaptures keeps only entries scoring at least this.
inline constexpr int SCORE_KEEP_CAPTURE = -10000;

// Plain capture score: victim - capturer + SCORE_CAPTURE_BAND (a pawn taking a rook: 500 - 9600).
inline constexpr int plainCaptureScore(Piece capturer, Piece victim) {
    return PIECE_VALUE[victim] - PIECE_VALUE[capturer] + SCORE_CAPTURE_BAND;
}
// Whether the plain formula orders a capture well enough without an exchange evaluation.
inline constexpr bool victimWorthCapturer(Piece capturer, Piece victim) {
    return PIECE_VALUE[victim] >= PIECE_VALUE[capturer] - SEE_MARGIN;
}
// A check blocked by a piece: quiet, but behind the cheaper blockers (a knight: -30310).
inline constexpr int interpositionScore(Piece blocker) { return SCORE_QUIET - PIECE_VALUE[blocker]; }
