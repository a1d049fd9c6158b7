// The PGN reader on hand-made games, for what the real collections do not show:
// what it takes, skips and refuses, that the next game is always read whole after
// it, and that the engine's position is the initial one after every game.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "records/pgnreader.h"
#include "records/records_support.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// What reading one game gives, in the words of tests/data/pgn_cases.txt.
std::string outcomeOf(std::istream& in) {
    GameRecord record{};
    try {
        if (readPgnGame(gamePosition, record, in)) return "taken " + std::to_string(pliesOf(record)) + " " + record.resultText;
        if (record.skipReason) return std::string("skipped: ") + record.skipReason;
        return "skipped " + std::to_string(pliesOf(record));
    } catch (const RecordError& error) {
        skipToNextGame(in);
        return std::string("error: ") + error.what() + (error.detail().empty() ? "" : ", " + error.detail());
    }
}

std::string knightShuffle(int plies) {
    static const char* const MOVES[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text = "[Result \"1/2-1/2\"]\n";
    for (int ply = 0; ply < plies; ++ply) text += (ply % 2 ? " " : " 1. ") + std::string(MOVES[ply % 4]);
    return text + " 1/2-1/2";
}

// A whole game on one line: a reader that lost its first line would lose it all.
const std::string NEXT_GAME = "\n[Event \"next\"] [Result \"0-1\"] 1. f3 e5 2. g4 Qh4# 0-1\n";

struct ReaderCase {
    std::string name, text, outcome;
};

// The cases of the data file, and those too long to write there.
std::vector<ReaderCase> readerCases() {
    std::vector<ReaderCase> cases;
    for (DataRow row : readDataTable("pgn_cases.txt")) {
        row.resize(3);  // a short row fails
        cases.push_back({row[0], unescaped(row[1]), row[2]});
    }
    cases.push_back({"an over-long tag value", "[Event \"" + std::string(100000, 'x') + "\"]\n[Result \"1-0\"]\n1. e4 e5 1-0",
                     "taken 2 1-0"});
    cases.push_back({"1023 plies fit", knightShuffle(1023), "taken 1023 1/2-1/2"});
    cases.push_back({"1024 plies do not", knightShuffle(1024), "skipped: more than 1023 plies"});
    cases.push_back({"an over-long word", "[Result \"1-0\"]\n1. e4 " + std::string(100000, 'y') + " 1-0",
                     "error: MOVE NOT READABLE, move: yyyyyyyyyy, plyNo:2"});
    return cases;
}

void PrintTo(const ReaderCase& tested, std::ostream* out) { *out << tested.name; }

class PgnReader : public ::testing::TestWithParam<ReaderCase> {
protected:
    const PositionSnapshot initial = (setUpOrFail(START_FEN), takeSnapshot());
};

}  // namespace

TEST_P(PgnReader, GameThenTheNextOneWhole) {
    std::istringstream in(GetParam().text + NEXT_GAME);
    std::string outcome;
    const std::string printed = capturedOutput([&] { outcome = outcomeOf(in); });
    EXPECT_EQ(outcome, GetParam().outcome);
    EXPECT_EQ(printed, "") << "the reader reports nothing itself";
    EXPECT_TRUE(takeSnapshot() == initial) << "the reader left moves made";
    EXPECT_EQ(outcomeOf(in), "taken 4 0-1");
    EXPECT_FALSE(pgnInputLeft(in));
}

std::string caseName(const testing::TestParamInfo<ReaderCase>& tested) { return identifierOf(tested.param.name); }

INSTANTIATE_TEST_SUITE_P(Cases, PgnReader, testing::ValuesIn(readerCases()), caseName);

TEST(PgnReaderInput, NothingButRemarksIsNoGame) {
    std::istringstream in("\xEF\xBB\xBF  \n{ a comment }\n% an escape line\n; a remark\n\x1a");
    EXPECT_FALSE(pgnInputLeft(in));
}
