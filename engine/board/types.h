// Basic value types shared by every subsystem: squares, sides, pieces, moves.
#pragma once

#include <cstdint>

using Bitboard = std::uint64_t;
using HashKey = std::uint64_t;  // low 32 bits are the "low half", high 32 bits the "high half"
using Square = int;             // 0 = a8, 7 = h8, 56 = a1, 63 = h1
using Move = std::uint16_t;     // bits 0-5 to, 6-11 from, 12-15 kind
using Score = std::int16_t;

inline constexpr std::uint32_t keyLow(HashKey k) { return static_cast<std::uint32_t>(k); }
inline constexpr std::uint32_t keyHigh(HashKey k) { return static_cast<std::uint32_t>(k >> 32); }

// ---- Sides --------------------------------------------------------------
using Side = int;
inline constexpr Side BLACK = 0;
inline constexpr Side WHITE = 1;

// ---- Squares --------------------------------------------------------------
inline constexpr int rowOf(Square s) { return s >> 3; }    // 0 = rank 8
inline constexpr int fileOf(Square s) { return s & 7; }    // 0 = a-file
inline constexpr Square makeSquare(int file, int row) { return row * 8 + file; }
inline constexpr char fileChar(Square s) { return static_cast<char>('a' + fileOf(s)); }
inline constexpr char rankChar(Square s) { return static_cast<char>('8' - rowOf(s)); }

inline constexpr Square SQ_A8 = 0, SQ_B8 = 1, SQ_C8 = 2, SQ_D8 = 3, SQ_E8 = 4, SQ_F8 = 5, SQ_G8 = 6, SQ_H8 = 7;
inline constexpr Square SQ_A1 = 56, SQ_B1 = 57, SQ_C1 = 58, SQ_D1 = 59, SQ_E1 = 60, SQ_F1 = 61, SQ_G1 = 62,
                        SQ_H1 = 63;
inline constexpr std::uint8_t NO_KING_SQUARE = 100;

// ---- Pieces (codes in the order of PIECE_LETTERS) ------------------------------
using Piece = std::uint8_t;
inline constexpr const char* PIECE_LETTERS = ".PpNnBbRrQqKk";
enum : Piece {
    EMPTY = 0,
    WHITE_PAWN = 1, BLACK_PAWN = 2,
    WHITE_KNIGHT = 3, BLACK_KNIGHT = 4,
    WHITE_BISHOP = 5, BLACK_BISHOP = 6,
    WHITE_ROOK = 7, BLACK_ROOK = 8,
    WHITE_QUEEN = 9, BLACK_QUEEN = 10,
    WHITE_KING = 11, BLACK_KING = 12,
};
// Piece of side s: the black code minus s.
inline constexpr Piece pawnOf(Side s) { return static_cast<Piece>(BLACK_PAWN - s); }
inline constexpr Piece knightOf(Side s) { return static_cast<Piece>(BLACK_KNIGHT - s); }
inline constexpr Piece bishopOf(Side s) { return static_cast<Piece>(BLACK_BISHOP - s); }
inline constexpr Piece rookOf(Side s) { return static_cast<Piece>(BLACK_ROOK - s); }
inline constexpr Piece queenOf(Side s) { return static_cast<Piece>(BLACK_QUEEN - s); }
inline constexpr Piece kingOf(Side s) { return static_cast<Piece>(BLACK_KING - s); }
inline constexpr Side sideOfPiece(Piece p) { return (p & 1) ? WHITE : BLACK; }  // p != EMPTY
inline constexpr bool isPawn(Piece p) { return p == WHITE_PAWN || p == BLACK_PAWN; }
inline constexpr int occupancyIndex(Side s) { return 11 + s; }  // pieceBoards index of a side's pieces

// Material units by piece code (pawn 1, minor 3, rook 5, queen 9; kings never counted).
inline constexpr std::uint8_t PIECE_UNITS[13] = {100, 1, 1, 3, 3, 3, 3, 5, 5, 9, 9, 150, 200};

// ---- Castle rights ----------------------------------------------------------
inline constexpr std::uint16_t CASTLE_WHITE_SHORT = 1;
inline constexpr std::uint16_t CASTLE_WHITE_LONG = 2;
inline constexpr std::uint16_t CASTLE_BLACK_SHORT = 8;
inline constexpr std::uint16_t CASTLE_BLACK_LONG = 16;
inline constexpr std::uint16_t CASTLE_WHITE = CASTLE_WHITE_SHORT | CASTLE_WHITE_LONG;
inline constexpr std::uint16_t CASTLE_BLACK = CASTLE_BLACK_SHORT | CASTLE_BLACK_LONG;
inline constexpr std::uint16_t castleRightsOf(Side s) { return s == WHITE ? CASTLE_WHITE : CASTLE_BLACK; }

// ---- Moves ------------------------------------------------------------------
using MoveKind = int;
enum : MoveKind {
    KIND_QUIET = 0,
    KIND_CAPTURE = 1,
    KIND_EN_PASSANT = 2,
    KIND_NO_MOVE = 3,  // verdict codes and the null move
    KIND_PROMOTE_QUEEN = 4, KIND_PROMOTE_KNIGHT = 5, KIND_PROMOTE_ROOK = 6, KIND_PROMOTE_BISHOP = 7,
    KIND_CAPTURE_PROMOTE_QUEEN = 8, KIND_CAPTURE_PROMOTE_KNIGHT = 9,
    KIND_CAPTURE_PROMOTE_ROOK = 10, KIND_CAPTURE_PROMOTE_BISHOP = 11,
    KIND_CASTLE_BLACK_SHORT = 12, KIND_CASTLE_WHITE_SHORT = 13,
    KIND_CASTLE_BLACK_LONG = 14, KIND_CASTLE_WHITE_LONG = 15,
};

inline constexpr Square moveTo(Move m) { return m & 63; }
inline constexpr Square moveFrom(Move m) { return (m >> 6) & 63; }
inline constexpr MoveKind moveKind(Move m) { return m >> 12; }
inline constexpr Move makeMoveCode(Square from, Square to, MoveKind kind) {
    return static_cast<Move>((kind << 12) | (from << 6) | to);
}
inline constexpr bool isPromotionKind(MoveKind k) { return k >= KIND_PROMOTE_QUEEN && k <= KIND_CAPTURE_PROMOTE_BISHOP; }
inline constexpr bool isCastlingKind(MoveKind k) { return k >= KIND_CASTLE_BLACK_SHORT; }
// Black code of the piece a promotion kind creates: queen 10, knight 4, rook 8, bishop 6.
inline constexpr Piece promotionBlackCode(MoveKind k) {
    constexpr Piece codes[4] = {BLACK_QUEEN, BLACK_KNIGHT, BLACK_ROOK, BLACK_BISHOP};
    return codes[(k - KIND_PROMOTE_QUEEN) & 3];
}

// Pseudo-moves of kind 3 that stand for a finished game (from == to).
inline constexpr Move VERDICT_MATED = 0x3000;
inline constexpr Move VERDICT_STALEMATE = 0x3041;
inline constexpr Move VERDICT_REPETITION = 0x3082;
inline constexpr Move NULL_MOVE = 0x3104;
inline constexpr Move VERDICT_NO_MOVES = 0x3145;
inline constexpr Move VERDICT_FIFTY_MOVES = 0x3186;
inline constexpr Move VERDICT_NO_MATERIAL = 0x31C7;

// ---- Scores -----------------------------------------------------------------
inline constexpr int MATE_SCORE = 8100;
// Above it a score counts as a mate (found within 50 plies): such scores are
// searched again rather than taken from the table at the root, end the deepening
// and are announced.
inline constexpr int MATE_THRESHOLD = 8050;
inline constexpr int NO_SCORE = 8190;

// One entry of a move list.
struct MoveEntry {
    std::int16_t score;
    Move move;
};
static_assert(sizeof(MoveEntry) == 4);
