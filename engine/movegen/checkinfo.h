// What a position's check test found, for the evasion generator and the legality tests.
#pragma once

#include "board/types.h"

struct CheckInfo {
    Bitboard checkers;       // pieces giving check to the side to move; empty when not in check
    Bitboard kingOrthLines;  // rank and file lines through that king (0: a lone diagonal checker)
    Bitboard kingDiagLines;  // its diagonal lines
};
