// The one global position and its game history.
#pragma once

#include <bit>
#include <cstddef>
#include <cstring>

#include "board/tables.h"

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

    Bitboard pieces(Piece p) const { return pieceBoards[p]; }
    Bitboard sidePieces(Side s) const { return pieceBoards[occupancyIndex(s)]; }
};

extern Position position;

// What the last set-up began with: every later key follows from it and the moves.
struct SetupOrigin {
    std::uint16_t castleRights;
    std::uint8_t epSquare;
};
extern SetupOrigin setupOrigin;

// Sliding attacks from s over the current occupancy.
[[gnu::always_inline]] inline Bitboard rookAttacks(Square s) {
    return rankAttacks(s, position.occupied) | fileAttacks(s, position.occupiedRot90);
}
[[gnu::always_inline]] inline Bitboard bishopAttacks(Square s) {
    return diagA1H8Attacks(s, position.occupiedA1H8) | diagH1A8Attacks(s, position.occupiedH1A8);
}
inline Bitboard queenAttacks(Square s) { return rookAttacks(s) | bishopAttacks(s); }

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

extern GameHistoryEntry gameHistory[GAME_HISTORY_SIZE];
extern GameHistoryEntry* historyTop;

// Drops old history entries when the game has used up the room a search needs.
void compactGameHistory();

// Makes p the position, with a fresh game history that starts from it.
void placePosition(const Position& p);
