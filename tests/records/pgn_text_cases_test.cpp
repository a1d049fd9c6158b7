// The PGN text layer on hand-made texts, for what the real files do not show:
// where games begin and end, what the scanner takes and refuses, where the editor
// puts words and tags and where it breaks lines, and the words an analysis writes.
#include <gtest/gtest.h>

#include "records/annotationtext.h"
#include "records/pgnedit.h"
#include "records/text_support.h"
#include "support/data_files.h"

namespace {

class PgnSplitCase : public ::testing::TestWithParam<DataRow> {};
class PgnScanCase : public ::testing::TestWithParam<DataRow> {};
class PgnEditCase : public ::testing::TestWithParam<DataRow> {};
class AnnotationWords : public ::testing::TestWithParam<DataRow> {};

}  // namespace

TEST_P(PgnSplitCase, GamesWhereTheyBeginAndEnd) {
    const DataRow& row = GetParam();
    ASSERT_GE(row.size(), 3u) << row[0];
    const std::string text = unescaped(row[1]);
    const PgnFileText file = splitPgnGames(text);
    EXPECT_EQ(file.preamble, unescaped(row[2]));
    std::vector<std::string> games, expected;
    for (std::string_view game : file.games) games.emplace_back(game);
    for (std::size_t i = 3; i < row.size(); ++i) expected.push_back(unescaped(row[i]));
    EXPECT_EQ(games, expected);
}

TEST_P(PgnScanCase, MovesResultAndFault) {
    const DataRow& row = GetParam();
    const PgnGame game = scanPgnGame(unescaped(row[1]));
    EXPECT_EQ(game.fault, row[4]);
    if (!game.scanned()) return;
    std::string moves;
    for (const PgnMove& move : game.moves) {
        moves += (moves.empty() ? "" : " ") + move.san + "@" + std::to_string(move.ply);
        EXPECT_EQ(game.text.substr(move.begin, move.end - move.begin), move.san) << "where the move stands";
    }
    EXPECT_EQ(moves, row[2]);
    EXPECT_EQ(game.result, row[3]);
}

TEST_P(PgnEditCase, TextWritten) {
    const DataRow& row = GetParam();
    const PgnGame game = scanPgnGame(unescaped(row[1]));
    ASSERT_TRUE(game.scanned()) << game.fault;
    PgnGameEditor editor(game);
    for (const std::string& edit : splitAt(unescaped(row[2]), " && ")) {
        const std::size_t blank = edit.find(' '), equals = edit.find('='), second = edit.find(' ', blank + 1);
        if (edit.starts_with("tag ")) editor.setTag(edit.substr(blank + 1, equals - blank - 1), edit.substr(equals + 1));
        else if (edit.starts_with("after ")) editor.insertAfterMove(std::stoul(edit.substr(blank)), edit.substr(second + 1));
        else ADD_FAILURE() << "no such edit: " << edit;
    }
    EXPECT_EQ(editor.text(), unescaped(row[3]));
}

TEST(PgnEdit, InsertingAfterAMoveTheGameDoesNotHaveIsRefused) {
    const PgnGame game = scanPgnGame("1. e4 e5 *");
    PgnGameEditor editor(game);
    EXPECT_THROW(editor.insertAfterMove(2, "{x}"), std::out_of_range);
}

TEST_P(AnnotationWords, Text) {
    const DataRow& row = GetParam();
    const std::string& kind = row[0];
    const std::vector<std::string> words = splitWords(row[1]);
    std::string text;
    if (kind == "eval") text = evalComment(Evaluation::centipawns(std::stoi(row[1])));
    if (kind == "mate") text = evalComment(Evaluation::mateIn(std::stoi(row[1])));
    if (kind == "nag") text = nagText(std::stoi(row[1]));
    if (kind == "comment") text = braceComment(row[1]);
    if (kind == "moves") text = moveSequenceText(std::stoi(words[0]), {words.begin() + 1, words.end()});
    if (kind == "variation") text = variationText(std::stoi(words[0]), {words.begin() + 1, words.end()});
    if (kind == "first ply") text = std::to_string(firstPlyOfFen(row[1]));
    EXPECT_EQ(text, row[2]) << kind << " " << row[1];
}

INSTANTIATE_TEST_SUITE_P(Cases, PgnSplitCase, testing::ValuesIn(recordsTable("pgn_split_cases.txt", 3)), rowName);
INSTANTIATE_TEST_SUITE_P(Cases, PgnScanCase, testing::ValuesIn(recordsTable("pgn_scan_cases.txt", 5)), rowName);
INSTANTIATE_TEST_SUITE_P(Cases, PgnEditCase, testing::ValuesIn(recordsTable("pgn_edit_cases.txt", 4)), rowName);
INSTANTIATE_TEST_SUITE_P(Cases, AnnotationWords, testing::ValuesIn(readDataTable("records/annotation_words.txt")),
                         [](const testing::TestParamInfo<DataRow>& row) {
                             return identifierOf(row.param[0] + "_" + std::to_string(row.index));
                         });
