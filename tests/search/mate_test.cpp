// Mate problems from historical games: the search must find the published first
// move and score the mate by its length.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "movegen/notation.h"
#include "search/control.h"
#include "search/search_helpers.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

struct MateProblem {
    std::string fen;
    std::string firstMove;  // SAN of the published solution's first move
};

// The first `count` problems of a puzzle file: its FEN tags and the first move of each solution.
std::vector<MateProblem> loadProblems(const std::string& file, std::size_t count) {
    std::ifstream in(dataPath("puzzles/" + file), std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    std::vector<MateProblem> problems;
    const std::string fenTag = "[FEN \"", movesStart = "\n\n1. ";
    for (std::size_t at = text.find(fenTag); at != std::string::npos && problems.size() < count;
         at = text.find(fenTag, at + 1)) {
        const std::size_t fenBegin = at + fenTag.size();
        const std::size_t fenEnd = text.find('"', fenBegin);
        const std::size_t moveBegin = text.find(movesStart, fenEnd) + movesStart.size();
        const std::size_t moveEnd = text.find(' ', moveBegin);
        problems.push_back({text.substr(fenBegin, fenEnd - fenBegin), text.substr(moveBegin, moveEnd - moveBegin)});
    }
    EXPECT_EQ(problems.size(), count) << file;
    return problems;
}

void expectMateFound(const MateProblem& problem, int plies) {
    setUpOrFail(problem.fen.c_str());
    const Move solution = parseSan(problem.firstMove.c_str());
    ASSERT_NE(solution, 0) << problem.fen << " " << problem.firstMove;
    const PositionSnapshot before = takeSnapshot();
    const LogCapture log;

    const Move found = searchToDepth(plies + 2);

    EXPECT_EQ(found, solution) << problem.fen;
    EXPECT_EQ(bestMove(), solution);
    EXPECT_EQ(bestScore(), MATE_SCORE - plies) << problem.fen;
    EXPECT_NE(log.text().find("--- MATE: " + std::to_string(MATE_SCORE - plies) + "\n"), std::string::npos);
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_EQ(currentPly, plyRecords);
}

struct PuzzleSet {
    const char* file;
    int plies;
    std::size_t count;
    std::size_t sanitizedCount;
};

std::string puzzleName(const testing::TestParamInfo<PuzzleSet>& param) {
    return "MateIn" + std::to_string((param.param.plies + 1) / 2);
}

class MatePuzzles : public testing::TestWithParam<PuzzleSet> {};

TEST_P(MatePuzzles, FindTheSolutionWithTheMateScoreAndTheMateLine) {
    const PuzzleSet& set = GetParam();
    for (const MateProblem& problem : loadProblems(set.file, SANITIZED_BUILD ? set.sanitizedCount : set.count))
        expectMateFound(problem, set.plies);
}

INSTANTIATE_TEST_SUITE_P(Published, MatePuzzles,
                         testing::Values(PuzzleSet{"mate_in_2.pgn", 3, 8, 4}, PuzzleSet{"mate_in_3.pgn", 5, 6, 3},
                                         PuzzleSet{"mate_in_4.pgn", 7, 3, 1}),
                         puzzleName);

}  // namespace
