#include "support/board_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

UndoRecord testUndo[TEST_UNDO_RECORDS];

void setUpOrFail(const char* fen) { ASSERT_TRUE(setPosition(fen, false)) << fen; }

Move coordinateMove(const std::string& word) {
    const Square from = (word[0] - 'a') + 8 * ('8' - word[1]);
    const Square to = (word[2] - 'a') + 8 * ('8' - word[3]);
    const Piece mover = position.board[from];
    const bool capture = position.board[to] != EMPTY;
    if (mover == WHITE_KING && from == SQ_E1 && to == SQ_G1) return makeMoveCode(from, to, KIND_CASTLE_WHITE_SHORT);
    if (mover == WHITE_KING && from == SQ_E1 && to == SQ_C1) return makeMoveCode(from, to, KIND_CASTLE_WHITE_LONG);
    if (mover == BLACK_KING && from == SQ_E8 && to == SQ_G8) return makeMoveCode(from, to, KIND_CASTLE_BLACK_SHORT);
    if (mover == BLACK_KING && from == SQ_E8 && to == SQ_C8) return makeMoveCode(from, to, KIND_CASTLE_BLACK_LONG);
    if (word.size() > 4) {
        const char* letters = "qnrb";
        const MoveKind kind = static_cast<MoveKind>(KIND_PROMOTE_QUEEN + (std::strchr(letters, word[4]) - letters));
        return makeMoveCode(from, to, capture ? kind + 4 : kind);
    }
    if (isPawn(mover) && to == position.epSquare && position.epSquare) return makeMoveCode(from, to, KIND_EN_PASSANT);
    return makeMoveCode(from, to, capture ? KIND_CAPTURE : KIND_QUIET);
}

std::string currentFen() {
    char buffer[FEN_BUFFER_SIZE];
    writeFen(buffer);
    return buffer;
}

bool PositionSnapshot::operator==(const PositionSnapshot& other) const {
    return std::memcmp(&position, &other.position, sizeof position) == 0 && historyDepth == other.historyDepth;
}

PositionSnapshot takeSnapshot() {
    PositionSnapshot snap;
    std::memcpy(&snap.position, &position, sizeof position);
    snap.historyDepth = historyTop - gameHistory;
    return snap;
}
