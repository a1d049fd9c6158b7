// The command loop in-process: the table's matches and the words each command consumes.
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

}  // namespace
