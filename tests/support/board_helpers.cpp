#include "support/board_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

#include "board/zobrist.h"
#include <sstream>

UndoRecord testUndo[TEST_UNDO_RECORDS];

void setUpOrFail(const char* fen) { ASSERT_TRUE(setPosition(fen, false)) << fen; }

void playMoves(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        saveUndoInfo(testUndo[0]);
        makeMove(coordinateMove(word), testUndo[0]);
    }
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

std::string moveText(Move move) {
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    return text;
}

std::string keyLogLine(HashKey key) {
    std::ostringstream line;
    line << std::hex << keyHigh(key) << ' ' << keyLow(key);
    return line.str();
}
