// Coordinate move text and SAN reading.
#pragma once

#include "board/plyrecord.h"

// Writes e2e4 / e7e8q / e1g1 into buffer (6 bytes); returns a pointer to the NUL.
char* moveToText(char* buffer, Move move);

// SAN (or coordinate) word resolved in the current position; 0 when unreadable or ambiguous.
Move parseSan(const char* word);
Move parseSquarePair(const char* text);
Move resolvePieceMove(const char* text, Square to, Bitboard fromMask);

// Promotion letter (Q, N, R, B in either case) to its kind in bits 12-15, 0 otherwise.
Move quietPromotionKind(char letter);
Move capturePromotionKind(char letter);
