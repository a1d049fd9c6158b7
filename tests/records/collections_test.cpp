// The converters on real collections (tests/data/records, see SOURCE.txt there),
// every game checked against what Debian's pgn-extract reads from the same file.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "board/zobrist.h"
#include "records/converters.h"
#include "records/records_support.h"
#include "support/data_files.h"

namespace {

std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
    return fields;
}

std::string testName(const testing::TestParamInfo<std::string>& tested) { return identifierOf(tested.param); }

class Collection : public ::testing::TestWithParam<std::string> {
protected:
    TempDir dir;
};

}  // namespace

// Exactly pgn-extract's storable games in order, each once; a game with a fault
// costs no other, and draws its own warning (faults.expect lists them). game2pos: one
// line per ply, the position before the move as pgn-extract -Wepd sees it.
TEST_P(Collection, GameFileHoldsThePgnExtractGamesAndPositions) {
    const std::string name = GetParam();
    const std::vector<std::string> reference = referenceLines(name + ".games");
    const std::string game = dir.file("out.game");
    const Conversion first = runPgn2game(collectionPath(name + ".pgn"), game);
    EXPECT_TRUE(first.ok);
    EXPECT_NE(first.report.find("converted: " + std::to_string(reference.size()) + " games."), std::string::npos)
        << first.report;
    EXPECT_EQ(gamesOf(game), reference);
    if (fileExists(collectionPath(name + ".expect"))) {
        EXPECT_EQ(gameWarnings(first.report), referenceLines(name + ".expect"));
    }
    const std::string stored = readFile(game);
    const Conversion second = runPgn2game(collectionPath(name + ".pgn"), game);
    EXPECT_NE(second.report.find("converted: 0 games."), std::string::npos) << second.report;
    EXPECT_EQ(readFile(game), stored) << "a second run adds nothing";
    if (!fileExists(collectionPath(name + ".fens"))) return;
    EXPECT_TRUE(runGame2pos(game, dir.file("out.db")).ok);
    const std::vector<std::string> lines = splitLines(readFile(dir.file("out.db")));
    const std::vector<std::string> fens = referenceLines(name + ".fens");
    ASSERT_EQ(lines.size(), fens.size());
    std::size_t line = 0;
    for (const std::string& moves : reference) {
        const std::vector<std::string> words = splitWords(moves);
        const char code = words[0] == "1-0" ? 'W' : words[0] == "0-1" ? 'B' : 'D';
        for (std::size_t ply = 1; ply < words.size(); ++ply, ++line) {
            const std::vector<std::string> fields = fieldsOf(lines[line]);
            ASSERT_EQ(fields.size(), 5u) << lines[line];
            EXPECT_EQ(fields[0] + fields[1], std::to_string(ply) + code) << lines[line];
            EXPECT_EQ(fields[2], fens[line]) << "line " << line + 1;
            EXPECT_EQ(fields[3], words[ply]) << "line " << line + 1;
            if (ply == 1) {
                EXPECT_EQ(fields[4], std::to_string(static_cast<std::int64_t>(INITIAL_POSITION_KEY)));
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RealFiles, Collection, testing::ValuesIn(collectionNames()), testName);

// All the collections through one list, with a name that opens nothing among them:
// the games of every file, those already taken from an earlier file once.
TEST(CollectionList, EveryFileOnceIntoOneGameFile) {
    TempDir dir;
    std::string list;
    std::vector<std::string> expected;
    for (const std::string& name : collectionNames()) {
        list += collectionPath(name + ".pgn") + (name == "faults" ? "\r\n" + dir.file("missing.pgn") : "") + "\n";
        for (const std::string& game : referenceLines(name + ".games"))
            if (std::find(expected.begin(), expected.end(), game) == expected.end()) expected.push_back(game);
    }
    writeFile(dir.file("list.txt"), list);
    std::string report;
    bool ok = true;
    report = capturedOutput([&] { ok = pgnlist2game(dir.file("list.txt").c_str(), dir.file("all.game").c_str()); });
    EXPECT_FALSE(ok) << "a listed file could not be opened";
    EXPECT_NE(report.find("Cannot open PGN input file: '" + dir.file("missing.pgn") + "'\n"), std::string::npos);
    EXPECT_NE(report.find("\nCONVERTED GAMES: " + std::to_string(expected.size()) + "\n"), std::string::npos) << report;
    EXPECT_EQ(gamesOf(dir.file("all.game")), expected);
}
