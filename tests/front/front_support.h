// Helpers of the front-end tests: a scratch directory, the log read back,
// the front end's state reset, and position keys worked out by the key rule.
#pragma once

#include <string>
#include <vector>

#include "board/types.h"
#include "support/scratch.h"

// The front end as at program start: no position, default clock, idle.
void resetFrontState();

// The key a game reaches in the position of fen when it started from originFen,
// computed from the FEN text alone: the pieces' keys, the castle rights lost
// since the start and the en-passant squares of both.
HashKey keyByRule(const std::string& originFen, const std::string& fen);

// The log line applyGameMove writes for a key, formatted independently.
std::string keyLogLine(HashKey key);
// Whether line has that line's form: two lowercase hexadecimal numbers without
// leading zeros, one blank between them.
bool isKeyLogLine(const std::string& line);
