#include "front_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "board/zobrist.h"
#include "front/constants.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "search/control.h"
#include "support/data_files.h"

void resetFrontState() {
    positionReady = false;
    engineState = ENGINE_IDLE;
    ponderEnabled = 1;
    stopFlag = 0;
    movesPerControl = 40;
    incrementMs = 0;
    moveTimeMs = 0;
    moveLimitMs = UINT32_MAX;
    fixedMoveTimeMs = 0;
    depthLimit = NO_DEPTH_LIMIT;
    analyzeMode = false;
    ownBook = true;
}

namespace {

std::uint16_t rightsOfField(const std::string& field) {
    std::uint16_t rights = 0;
    for (char c : field) {
        if (c == 'K') rights |= CASTLE_WHITE_SHORT;
        if (c == 'Q') rights |= CASTLE_WHITE_LONG;
        if (c == 'k') rights |= CASTLE_BLACK_SHORT;
        if (c == 'q') rights |= CASTLE_BLACK_LONG;
    }
    return rights;
}

HashKey epKeyOfField(const std::string& field) {
    if (field.size() != 2) return 0;
    return epKey((field[0] - 'a') + 8 * ('8' - field[1]));
}

// XOR of the piece keys of a FEN placement field.
HashKey piecesKey(const std::string& placement) {
    static const std::string letters = ".PpNnBbRrQqKk";
    HashKey key = 0;
    Square s = 0;
    for (char c : placement) {
        if (c >= '1' && c <= '8') s += c - '0';
        else if (c != '/') key ^= ZOBRIST.at(letters.find(c)).at(s++);
    }
    EXPECT_EQ(s, 64) << placement;
    return key;
}

}  // namespace

HashKey keyByRule(const std::string& originFen, const std::string& fen) {
    const std::vector<std::string> origin = splitWords(originFen), now = splitWords(fen);
    HashKey key = piecesKey(now.at(0)) ^ epKeyOfField(origin.at(3)) ^ epKeyOfField(now.at(3));
    const std::uint16_t lost = rightsOfField(origin.at(2)) & ~rightsOfField(now.at(2));
    for (std::uint16_t right : {CASTLE_WHITE_SHORT, CASTLE_WHITE_LONG, CASTLE_BLACK_SHORT, CASTLE_BLACK_LONG})
        if (lost & right) key ^= castleKey(right);
    return key;
}

std::string keyLogLine(HashKey key) {
    std::ostringstream line;
    line << std::hex << keyHigh(key) << ' ' << keyLow(key);
    return line.str();
}

namespace {

bool isHexNumber(const std::string& text) {
    if (text.empty() || (text[0] == '0' && text.size() > 1)) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    return true;
}

}  // namespace

bool isKeyLogLine(const std::string& line) {
    const std::size_t blank = line.find(' ');
    return blank != std::string::npos && isHexNumber(line.substr(0, blank)) && isHexNumber(line.substr(blank + 1));
}
