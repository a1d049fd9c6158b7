// Over data tables: the command loop's words (tests/data/command_words.txt) and the move
// budgets from level, time, test and UCI's go (tests/data/budgets.txt).
#include <gtest/gtest.h>

#include "base/log.h"
#include "board/fen.h"
#include "front/commands.h"
#include "front/state.h"
#include "front/timecontrol.h"
#include "front_support.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

std::optional<long> given(const std::string& word) {
    return word == "-" ? std::nullopt : std::optional<long>(std::stol(word));
}

class CommandWords : public ::testing::TestWithParam<DataRow> {};

TEST_P(CommandWords, AreReadAsTheCommandsTheyName) {
    const DataRow& row = GetParam();
    ASSERT_EQ(row.size(), 3u) << row[0];
    resetFrontState();
    TempDir dir;
    ASSERT_TRUE(openLog(dir.file("loop.log").c_str()));
    Inbox inbox(row[0]);
    inbox.close();
    runCommands(inbox);
    closeLog();
    EXPECT_EQ(ponderEnabled, std::stoi(row[1]));
    if (row[2] != "-") {
        EXPECT_EQ(moveTimeMs, std::stoul(row[2]));
    }
    if (row[0].rfind("new", 0) == 0) {
        EXPECT_EQ(currentFen(), START_FEN);  // news acts as new
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CommandWords, ::testing::ValuesIn(readDataTable("command_words.txt")));

class Budget : public ::testing::TestWithParam<DataRow> {};

TEST_P(Budget, AsWorkedOutByHand) {
    const DataRow& row = GetParam();
    ASSERT_GE(row.size(), 4u) << row[0];
    const std::vector<std::string> words = splitWords(row[0]);
    resetFrontState();
    if (words.at(0) == "go") {
        const GoClock go{given(words.at(1)), std::stol(words.at(2)), std::stol(words.at(3)), given(words.at(4))};
        EXPECT_EQ(setGoBudget(go), row[1] == "1");
        EXPECT_EQ(moveTimeMs, std::stoul(row[2]));
        EXPECT_EQ(moveLimitMs, std::stoul(row[3]));
        if (go.moveTimeMs) {  // a movetime gets no bonus out of the book, no extra time
            EXPECT_EQ(extraTimeAfterFailLow(), 0u);
            extendOutOfBookBudget();
            EXPECT_EQ(moveTimeMs, std::stoul(row[2]));
        }
        return;
    }
    setLevel(std::stol(words.at(1)), std::stod(words.at(2)));
    if (row[1] == "test") setTestBudget();
    else setEngineClock(std::stol(row[1]));
    EXPECT_EQ(moveTimeMs, std::stoul(row[2]));
    if (row.at(3) != "-") {
        EXPECT_EQ(extraTimeAfterFailLow(), std::stoul(row[3]));
    }
    extendOutOfBookBudget();
    if (row.at(4) != "-") {
        EXPECT_EQ(moveTimeMs, std::stoul(row[4]));
    }
}

INSTANTIATE_TEST_SUITE_P(Clocks, Budget, ::testing::ValuesIn(readDataTable("budgets.txt")));

}  // namespace
