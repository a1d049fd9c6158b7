// Helpers for the move-generation tests: generator output as readable rows.
#pragma once

#include <string>
#include <vector>

#include "board/types.h"

// One generator entry as "e2e4 -30000 0" (coordinate text, score, MoveKind).
using EntryRows = std::vector<std::string>;

// What generateAll / generateCaptures / generateEvasions write for the current position
// (evasions after computeCheckInfo on the current ply record).
EntryRows allMoves();
EntryRows captureMoves();
EntryRows evasionMoves();

std::string moveText(Move move);

// The legal moves of the current position as sorted coordinate texts.
std::vector<std::string> sortedLegalMoves();
