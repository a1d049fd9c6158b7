// Coordinate move text and SAN reading.
#pragma once

#include "board/position.h"

// Room for a move's coordinate text: four or five characters and the NUL.
inline constexpr int MOVE_TEXT_SIZE = 6;

// Writes e2e4 / e7e8q / e1g1 into buffer (MOVE_TEXT_SIZE bytes); returns a pointer to the NUL.
char* moveToText(char* buffer, Move move);

// SAN (or coordinate) word resolved in the current position; 0 when unreadable or ambiguous.
Move parseSan(Position& pos, const char* word);
Move parseSquarePair(Position& pos, const char* text);

// The board a square pair is read against: the live position for SAN, the root
// snapshot for the interface's moves (which arrive while a ponder move is made).
struct SquarePairBoard {
    const Piece* board;
    std::uint16_t castleRights;
    std::uint8_t epSquare;
};
// Two squares and an optional promotion letter, their kind read from that board:
// castling under the rights, promotion, en passant, capture or quiet; 0 when the
// text does not start with two squares.
Move decodeSquarePair(const char* text, const SquarePairBoard& on);
Move resolvePieceMove(Position& pos, const char* text, Square to, Bitboard fromMask);

// Promotion letter (Q, N, R, B in either case) to its kind in bits 12-15, 0 otherwise.
Move quietPromotionKind(char letter);
Move capturePromotionKind(char letter);
