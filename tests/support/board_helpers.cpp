#include "support/board_helpers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "board/zobrist.h"
#include "search/searchthread.h"
#include <sstream>

UndoRecord testUndo[TEST_UNDO_RECORDS];

void setUpOrFail(const char* fen) { ASSERT_TRUE(setPosition(fen, false)) << fen; }

void playMoves(const std::vector<std::string>& words, Position& pos) {
    for (const std::string& word : words) {
        saveUndoInfo(pos, testUndo[0]);
        makeMove(pos, coordinateMove(word, pos), testUndo[0]);
    }
}

std::string currentFen(const Position& pos) {
    char buffer[FEN_BUFFER_SIZE];
    writeFen(pos, buffer);
    return buffer;
}

// The board and the game so far: the history up to its top (entries above it are
// scratch that every move made overwrites; the pointer points into each copy's own).
bool PositionSnapshot::operator==(const PositionSnapshot& other) const {
    return std::memcmp(&position, &other.position, offsetof(Position, historyTop)) == 0 &&
           historyDepth == other.historyDepth &&
           std::memcmp(position.history, other.position.history, (historyDepth + 1) * sizeof(GameHistoryEntry)) == 0;
}

PositionSnapshot takeSnapshot(const Position& pos) {
    PositionSnapshot snap;
    snap.position = pos;
    snap.historyDepth = pos.historyLength();
    return snap;
}

namespace {

constexpr HashKey MARK_KEY = 0x5EED5EED5EED5EEDULL;

const Position& markPosition() {
    static const Position mark = [] {
        Position p;
        p.hashKey = MARK_KEY;
        return p;
    }();
    return mark;
}

}  // namespace

void markEngineTable() { engineTable().store(markPosition(), 9, BOUND_EXACT, 1, 0x0123); }

bool engineTableMarked() { return engineTable().probe(markPosition()).has_value(); }

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
