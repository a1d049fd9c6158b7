// Reading the test data under tests/data.
#pragma once

#include <string>
#include <vector>

std::string dataPath(const std::string& relative);
// Non-empty lines of a data file (lines starting with '#' skipped); fails the test if missing.
std::vector<std::string> readDataLines(const std::string& relative);
std::vector<std::string> splitWords(const std::string& line);

// A real game: its coordinate moves and the FEN before the first and after every ply.
struct RecordedGame {
    std::string name;
    std::vector<std::string> moves;
    std::vector<std::string> fens;  // fens.size() == moves.size() + 1
};
std::vector<RecordedGame> loadRecordedGames();

// A short line from a set-up position (tests/data/lines.txt).
struct RecordedLine {
    std::string name;
    std::string start;
    std::vector<std::string> moves;
    std::vector<std::string> fens;  // after each ply
};
std::vector<RecordedLine> loadRecordedLines();
