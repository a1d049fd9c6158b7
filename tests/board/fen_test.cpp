// Reading FEN: the texts the board accepts or refuses (tests/data/fen_cases.txt), and text
// cut short anywhere. (Every position of real games read and written back:
// tests/movegen/generators_test.cpp.)
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "board/validate.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

class FenCase : public testing::TestWithParam<DataRow> {};

TEST_P(FenCase, IsReadOrRefusedWithoutHarm) {
    const DataRow& row = GetParam();
    ASSERT_GE(row.size(), 3u) << row[0];
    setUpOrFail(START_FEN);
    const PositionSnapshot before = takeSnapshot();
    const bool accepted = setUpBoard(gamePosition, unescaped(row[1]).c_str());
    if (row[0] == "refuse") {
        EXPECT_FALSE(accepted) << row[1] << ": " << row[2];
        EXPECT_TRUE(takeSnapshot() == before) << "a refused text changed the position: " << row[1];
        return;
    }
    ASSERT_TRUE(accepted) << row[1] << ": " << row[3];
    EXPECT_EQ(currentFen(), row[2]) << row[3];
    EXPECT_EQ(validatePosition(gamePosition), "");
}

INSTANTIATE_TEST_SUITE_P(Texts, FenCase, testing::ValuesIn(readDataTable("fen_cases.txt")));

}  // namespace

TEST(ReadFen, TextEndingAfterAnyFieldIsReadSafely) {
    // Each prefix of a full FEN is either refused or read without running past its end.
    const std::string full = "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1";
    for (std::size_t n = 0; n <= full.size(); ++n) {
        std::unique_ptr<char[]> exact(new char[n + 1]);  // exactly n + 1 bytes: ASan sees any overread
        std::memcpy(exact.get(), full.c_str(), n);
        exact[n] = '\0';
        if (setUpBoard(gamePosition, exact.get())) {
            EXPECT_EQ(validatePosition(gamePosition), "") << exact.get();
        }
    }
}
