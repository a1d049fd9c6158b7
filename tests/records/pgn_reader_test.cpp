// The PGN reader on hand-made games, for what the real collections do not show:
// what it takes, skips and refuses, that the next game is always read whole after
// it, and that the engine's position is the initial one after every game.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "board/fen.h"
#include "records/pgnreader.h"
#include "records/records_support.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

using namespace std::string_literals;

namespace {

// What reading one game gives: "taken PLIES RESULT", "skipped PLIES",
// "skipped: REASON" or "error: MESSAGE[, DETAIL]"; after an error the rest of the
// game is skipped, as the converter does.
std::string outcomeOf(std::istream& in) {
    GameRecord record{};
    try {
        if (readPgnGame(record, in)) return "taken " + std::to_string(pliesOf(record)) + " " + record.resultText;
        if (record.skipReason) return "skipped: "s + record.skipReason;
        return "skipped " + std::to_string(pliesOf(record));
    } catch (const RecordError& error) {
        skipToNextGame(in);
        return "error: "s + error.what() + (error.detail().empty() ? "" : ", " + error.detail());
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
    const char* name;
    std::string text;
    const char* outcome;
};

const ReaderCase CASES[] = {
    {"decided", "[Result \"1-0\"]\n1. e4 e5 2. Nf3 Nc6 1-0", "taken 4 1-0"},
    {"unfinished", "[Result \"*\"]\n1. e4 e5 2. Nf3 *", "skipped 3"},
    {"a forfeit without moves", "[Result \"1-0\"]\n\n1-0", "skipped 0"},
    {"zero castling where the result begins with 0",
     "[Result \"0-1\"]\n1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5 4. 0-0 Nf6 0-1", "taken 8 0-1"},
    {"move numbers glued to moves", "[Result \"1-0\"]\n1.e4 1...e5 2.Nf3 1-0", "taken 3 1-0"},
    {"glyph words, the e.p. mark, stray closers", "[Result \"1-0\"]\n1. e4 !? d5 ) 2. e5 f5 ] 3. exf6 e.p. 1-0",
     "taken 5 1-0"},
    {"NUL bytes and Ctrl-Z are white space", "[Result \"1-0\"]\n1. e4\0 e5\0\0 2. Nf3\x1a 1-0"s, "taken 3 1-0"},
    {"an over-long tag value", "[Event \"" + std::string(100000, 'x') + "\"]\n[Result \"1-0\"]\n1. e4 e5 1-0",
     "taken 2 1-0"},
    {"the result word stands for a missing tag", "[Event \"x\"]\n1. e4 e5 0-1", "taken 2 0-1"},
    {"the result word stands for an unknown tag", "[Result \"?\"]\n1. e4 1/2-1/2", "taken 1 1/2-1/2"},
    {"the standard position as FEN", "[FEN \"" + std::string(START_FEN) + " 0 1\"]\n[Result \"1-0\"]\n1. e4 1-0",
     "taken 1 1-0"},
    {"1023 plies fit", knightShuffle(1023), "taken 1023 1/2-1/2"},
    {"1024 plies do not", knightShuffle(1024), "skipped: more than 1023 plies"},
    {"a set-up position", "[FEN \"8/8/8/8/8/4k3/8/4K2R w K - 0 1\"]\n[Result \"1-0\"]\n1. O-O 1-0",
     "skipped: set-up start position"},
    {"another variant", "[Variant \"Atomic\"]\n[Result \"1-0\"]\n1. e4 d5 2. exd5 1-0", "skipped: not standard chess"},
    {"the standard variant", "[Variant \"Standard\"]\n[Result \"1-0\"]\n1. e4 1-0", "taken 1 1-0"},
    {"a null move", "[Result \"1-0\"]\n1. e4 -- 2. d4 1-0", "skipped: null move"},
    {"a null move as Z0", "[Result \"1-0\"]\n1. e4 Z0 2. d4 1-0", "skipped: null move"},
    // pgn-extract: "No king move possible to c5".
    {"a king step next to the other king", "[Result \"0-1\"]\n1. e4 d5 2. Ke2 Kd7 3. Ke3 Kd6 4. Kd4 Kc5 0-1",
     "error: MOVE NOT LEGAL 1, move: Kc5, plyNo:8"},
    {"brace comments do not nest", "[Result \"1-0\"]\n1. e4 {a {nested} comment} e5 1-0",
     "error: MOVE NOT READABLE, move: comment, plyNo:2"},
    {"an over-long word", "[Result \"1-0\"]\n1. e4 " + std::string(100000, 'y') + " 1-0",
     "error: MOVE NOT READABLE, move: yyyyyyyyyy, plyNo:2"},
    {"text that is no game", "Made by hand.", "error: MOVE NOT READABLE, move: Made, plyNo:1"},
    {"a variation open to the next game", "[Result \"1-0\"]\n1. e4 (1. d4 d5", "error: RESULT MISSING"},
    {"no result tag nor word", "[Event \"x\"]\n1. e4 e5", "error: Result Error 2"},
    {"an unknown result tag, no word", "[Result \"1:0\"]\n1. e4 e5", "error: Result Error 1"},
};

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

INSTANTIATE_TEST_SUITE_P(Cases, PgnReader, testing::ValuesIn(CASES), caseName);

TEST(PgnReaderInput, NothingButRemarksIsNoGame) {
    std::istringstream in("\xEF\xBB\xBF  \n{ a comment }\n% an escape line\n; a remark\n\x1a");
    EXPECT_FALSE(pgnInputLeft(in));
}
