// The position and its game history.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>

#include "board/tables.h"

// ---- Game history ---------------------------------------------------------
struct GameHistoryEntry {
    std::uint32_t keyLow;
    std::uint32_t keyHigh;
    Move move;  // move played from this position, 0 for the current one
    std::uint16_t reversibleCount;

    HashKey key() const {
        if constexpr (std::endian::native == std::endian::little) {
            HashKey k;
            std::memcpy(&k, this, sizeof k);  // the two halves in one load
            return k;
        }
        return (HashKey{keyHigh} << 32) | keyLow;
    }
    // Written after every move made: one 8-byte store where the halves allow it.
    void setKey(HashKey k) {
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(this, &k, sizeof k);
            return;
        }
        keyLow = ::keyLow(k), keyHigh = ::keyHigh(k);
    }
};
static_assert(offsetof(GameHistoryEntry, keyLow) == 0 && offsetof(GameHistoryEntry, keyHigh) == 4);

// Room for a long game plus the deepest search; game moves compact the history
// before a game could run past the room left for a search.
inline constexpr int GAME_HISTORY_SIZE = 4096;
inline constexpr int HISTORY_SEARCH_RESERVE = 512;
// Repetition scans never look further back than 100 plies; keep a little more.
inline constexpr int HISTORY_KEEP_ON_COMPACT = 128;

// What the last set-up began with: every later key follows from it and the moves.
struct SetupOrigin {
    std::uint16_t castleRights;
    std::uint8_t epSquare;
};

// A position is a value: the board, its keys and material, and the game history
// that repetitions are judged by. Whoever searches or replays owns one; copying it
// copies the game so far.
struct Position {
    Bitboard occupied;
    Bitboard occupiedRot90;
    Bitboard occupiedA1H8;
    Bitboard occupiedH1A8;
    // [1..10] pawns to queens by piece code; [11] black pieces, [12] white pieces (kings included).
    Bitboard pieceBoards[13];
    HashKey hashKey;
    std::uint32_t pawnKey;
    Piece board[64];
    std::uint8_t kingSquare[2];  // [BLACK], [WHITE]; NO_KING_SQUARE while a side has no king
    std::uint16_t castleRights;
    std::uint8_t epSquare;  // 0 = none
    std::uint8_t totalMaterial;
    std::uint8_t pieceMaterial[2];
    std::uint8_t pawnCount[2];
    Side sideToMove;
    Move avoidMove;
    Move expectedMove;
    SetupOrigin origin;
    // The entry of the current position; those below it are the game so far.
    GameHistoryEntry* historyTop;
    GameHistoryEntry history[GAME_HISTORY_SIZE];

    // An empty board with an empty history.
    Position() {
        std::memset(static_cast<void*>(this), 0, sizeof *this);
        historyTop = history;
    }
    // A copy's history pointer points into its own history.
    Position(const Position& other) { *this = other; }
    Position& operator=(const Position& other) {
        if (this == &other) return *this;
        std::memcpy(static_cast<void*>(this), &other, sizeof *this);
        historyTop = history + (other.historyTop - other.history);
        return *this;
    }

    Bitboard pieces(Piece p) const { return pieceBoards[p]; }
    Bitboard sidePieces(Side s) const { return pieceBoards[occupancyIndex(s)]; }
    std::ptrdiff_t historyLength() const { return historyTop - history; }
};

// Sliding attacks from s over p's occupancy.
[[gnu::always_inline]] inline Bitboard rookAttacks(const Position& p, Square s) {
    return rankAttacks(s, p.occupied) | fileAttacks(s, p.occupiedRot90);
}
[[gnu::always_inline]] inline Bitboard bishopAttacks(const Position& p, Square s) {
    return diagA1H8Attacks(s, p.occupiedA1H8) | diagH1A8Attacks(s, p.occupiedH1A8);
}
inline Bitboard queenAttacks(const Position& p, Square s) { return rookAttacks(p, s) | bishopAttacks(p, s); }

// Drops old history entries when the game has used up the room a search needs.
void compactGameHistory(Position& p);

// Gives p a fresh game history that starts from it, and notes its set-up origin.
void startHistory(Position& p);
