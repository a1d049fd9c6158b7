// Helpers of the game-record tests: a scratch directory, files written and read
// back, the converters' standard output captured, GAME records built by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/gamerecord.h"
#include "support/scratch.h"

// A GAME file's bytes from 16-bit words, little-endian.
std::string gameBytes(const std::vector<std::uint16_t>& words);

// Standard output of a call (whose exceptions pass through).
template <typename Call>
std::string capturedOutput(Call call);

// The standard initial position, as the reader needs it.
void setUpInitialPosition();
// True when the position is the standard initial one with nothing above it.
bool atInitialPosition();

// The real games of tests/data/games: the PGN text and pgn-extract's coordinate moves and FENs.
struct RealGame {
    std::string name;
    std::string pgn;
    std::vector<std::string> moves;
    std::vector<std::string> fens;  // before the first and after every ply
};
std::vector<RealGame> realGames();

#include <gtest/gtest.h>

template <typename Call>
std::string capturedOutput(Call call) {
    testing::internal::CaptureStdout();
    try {
        call();
    } catch (...) {
        testing::internal::GetCapturedStdout();  // the next capture must find none running
        throw;
    }
    return testing::internal::GetCapturedStdout();
}
