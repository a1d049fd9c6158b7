// Mate problems from historical games (tests/data/puzzles): the search must find the
// published first move and score the mate by its length.
#include <gtest/gtest.h>

#include "movegen/notation.h"
#include "search/control.h"
#include "search/search_helpers.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

struct PuzzleSet {
    const char* file;
    int plies;  // of the mate
    std::size_t count, sanitizedCount;
};

class MatePuzzles : public testing::TestWithParam<PuzzleSet> {};

TEST_P(MatePuzzles, FindTheSolutionWithTheMateScoreAndTheMateLine) {
    const PuzzleSet& set = GetParam();
    const std::size_t count = SANITIZED_BUILD ? set.sanitizedCount : set.count;
    // Each problem: its FEN tag, then the first move of its solution.
    const std::string text = readFile(dataPath(std::string("puzzles/") + set.file));
    const std::string fenTag = "[FEN \"", movesStart = "\n\n1. ";
    std::size_t solved = 0;
    for (std::size_t at = text.find(fenTag); at != std::string::npos && solved < count; at = text.find(fenTag, at + 1)) {
        const std::size_t fenBegin = at + fenTag.size(), fenEnd = text.find('"', fenBegin);
        const std::size_t moveBegin = text.find(movesStart, fenEnd) + movesStart.size();
        const std::string fen = text.substr(fenBegin, fenEnd - fenBegin);
        SCOPED_TRACE(fen);
        setUpOrFail(fen.c_str());
        const Move solution = parseSan(gamePosition, text.substr(moveBegin, text.find(' ', moveBegin) - moveBegin).c_str());
        ASSERT_NE(solution, 0);
        const PositionSnapshot before = takeSnapshot();
        const LogCapture log;
        EXPECT_EQ(searchToDepth(set.plies + 2), solution);
        EXPECT_EQ(bestScore(), MATE_SCORE - set.plies);
        EXPECT_NE(log.text().find("--- MATE: " + std::to_string(MATE_SCORE - set.plies) + "\n"), std::string::npos);
        EXPECT_TRUE(takeSnapshot(mainWorker().pos) == before);  // the search left its copy as it found it
        EXPECT_EQ(mainWorker().currentPly, mainWorker().plies);
        ++solved;
    }
    EXPECT_EQ(solved, count);
}

INSTANTIATE_TEST_SUITE_P(Published, MatePuzzles,
                         testing::Values(PuzzleSet{"mate_in_2.pgn", 3, 8, 4}, PuzzleSet{"mate_in_3.pgn", 5, 6, 3},
                                         PuzzleSet{"mate_in_4.pgn", 7, 3, 1}),
                         [](const testing::TestParamInfo<PuzzleSet>& param) {
                             return "MateIn" + std::to_string((param.param.plies + 1) / 2);
                         });

}  // namespace
