// One game in memory, and the error the game-record tools raise.
#pragma once

#include <exception>
#include <string>
#include <utility>

#include "board/types.h"
#include "records/recordconst.h"

struct GameRecord {
    char token[SAN_TOKEN_CHARS + 1];     // the SAN word being read
    char resultText[RESULT_TEXT_SIZE];   // "1-0", "0-1", "1/2-1/2", "*"; empty before the tags
    char resultCode;                     // 'W', 'B', 'D', '*', or '?' while no Result tag was seen
    std::uint16_t header;                // plies in bits 0-13, the GameResult in bits 14-15
    Move moves[MAX_GAME_PLIES];          // from the standard initial position, ply 1 first
    const char* skipReason;              // why a game read whole is not taken, if not plainly
                                         // unfinished or empty (one of the SKIP_ texts), else nullptr
};

inline int pliesOf(const GameRecord& record) { return record.header & PLY_COUNT_MASK; }
inline int resultOf(const GameRecord& record) { return record.header >> RESULT_SHIFT; }

// A fixed message text, and where it arose ("move: Nf9, plyNo:3"); the converters
// catch it and report it.
class RecordError : public std::exception {
public:
    explicit RecordError(const char* message, std::string detail = {})
        : message_(message), detail_(std::move(detail)) {}
    const char* what() const noexcept override { return message_; }
    const std::string& detail() const { return detail_; }

private:
    const char* message_;
    std::string detail_;
};
