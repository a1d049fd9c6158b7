// Helpers of the game-record tests: the real collections of tests/data/records,
// the converters run on files with their standard output captured, GAME files
// read back as text, GAME records built by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/gamerecord.h"
#include "support/scratch.h"

#include "support/data_files.h"

// The PGN collections of tests/data/records (names without ".pgn"), and the path
// of one of their files ("faults.games").
inline std::vector<std::string> collectionNames() { return dataFileNames("records", ".pgn"); }
std::string collectionPath(const std::string& file);
inline std::vector<std::string> referenceLines(const std::string& file) { return splitLines(readFile(collectionPath(file))); }

// A GAME file's bytes from 16-bit words, little-endian.
std::string gameBytes(const std::vector<std::uint16_t>& words);

// Standard output of a call (whose exceptions pass through).
template <typename Call>
std::string capturedOutput(Call call);

// The converters on files, with what they printed.
struct Conversion {
    bool ok;
    std::string report;
};
Conversion runPgn2game(const std::string& pgn, const std::string& game);
Conversion runGame2pgn(const std::string& game, const std::string& pgn);
Conversion runGame2pos(const std::string& game, const std::string& db);

// The games of a GAME file as game2pgn writes them, one a line in the form of the
// references: the result, then the coordinate moves.
std::vector<std::string> gamesOf(const std::string& gameFile);

// The lines of a report that warn about one game, without their " file: ..." tail.
std::vector<std::string> gameWarnings(const std::string& report);

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
