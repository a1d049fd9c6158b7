// Reading the test data under tests/data.
#pragma once

#include <string>
#include <vector>

inline std::string dataPath(const std::string& relative) { return std::string(ZORVAK_TEST_DATA) + "/" + relative; }
// Non-empty lines of a data file, those starting with '#' skipped; none when it is missing.
std::vector<std::string> readDataLines(const std::string& relative);
std::vector<std::string> splitWords(const std::string& line);
std::string trimmed(const std::string& text);  // without blanks at either end
// A data file's escapes as the bytes they stand for: \s a blank, \n, \r, \0, \xHH.
std::string unescaped(const std::string& text);
// The text with every character that is no letter or digit made '_': a test's name.
std::string identifierOf(std::string text);
// Those lines cut into fields at each '|', trimmed. No test assertion, so that it can feed
// INSTANTIATE_TEST_SUITE_P: a missing file gives the row "missing FILE", which fails the test.
using DataRow = std::vector<std::string>;
std::vector<DataRow> readDataTable(const std::string& relative);
// The names (without the extension) of a data folder's files with that extension, sorted.
std::vector<std::string> dataFileNames(const std::string& folder, const std::string& extension);
// The move words of a data folder's PGN game, as written: tag lines, move numbers and the result dropped.
std::vector<std::string> pgnMoveWords(const std::string& relative);

// A real game (tests/data/games) or a short line from a set-up position (tests/data/lines.txt):
// its coordinate moves and the FEN before the first and after every ply.
struct RecordedGame {
    std::string name;
    std::vector<std::string> moves;
    std::vector<std::string> fens;  // fens.size() == moves.size() + 1
};
std::vector<RecordedGame> loadRecordedGames();
// The games, then the lines, which cover every kind of move.
std::vector<RecordedGame> loadGamesAndLines();
