// How an analysis judges a move: by the drop in the mover's expected score, which
// weighs a loss of centipawns by how much it changes the game's outcome (300 cp
// thrown away at +9 change little, at 0 they decide it), and the average loss of
// centipawns per side. Scores are the search's, for the side to move; mate scores
// count as won or lost outright.
#pragma once

#include "board/types.h"
#include "records/annotationtext.h"

// expected = 1 / (1 + 10^(-cp / EXPECTED_SCORE_SCALE)): 0.5 at 0, about 0.85 at +300.
inline constexpr double EXPECTED_SCORE_SCALE = 400.0;
// Drops of the expected score that make a move dubious (?!), a mistake (?) or a blunder (??).
inline constexpr double DUBIOUS_DROP = 0.10;
inline constexpr double MISTAKE_DROP = 0.20;
inline constexpr double BLUNDER_DROP = 0.30;
// A move's centipawn loss counts at most this much (scores beyond it, mates among
// them, are taken as this), as usual for the average loss.
inline constexpr int LOSS_CAP_CENTIPAWNS = 1000;

// The mover's expected score, 0 to 1, for a score of the side to move.
double expectedScore(int score);

// The NAG for a move whose mover stood at `before` with the best move and at `after`
// with the move played (both for the mover): 0 for none, else NAG_DUBIOUS,
// NAG_MISTAKE or NAG_BLUNDER.
int nagForMove(int before, int after);

// The centipawns the move gave away, each score first capped at LOSS_CAP_CENTIPAWNS.
int centipawnLoss(int before, int after);

// A score of the side to move as the evaluation PGN comments give: White's view,
// centipawns or moves to mate.
Evaluation whiteEvaluation(int score, Side sideToMove);
