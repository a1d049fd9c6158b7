// UCI's position command in-process, sent as interfaces send it (the whole game
// before every go): real games and lines reach the positions pgn-extract computed,
// the game's repetitions stay in the history, only a new game or an unrelated
// position clears the table. (Refused lines: tests/data/uci/positions.txt.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "board/fen.h"
#include "front/state.h"
#include "front/uci.h"
#include "front_support.h"
#include "search/draw.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

class UciPosition : public ::testing::Test {
protected:
    void SetUp() override {
        resetFrontState();
        ownBook = false;  // no book file is read
        ASSERT_TRUE(openLog(dir.file("uci.log").c_str()));
    }
    void TearDown() override { closeLog(); }

    static void send(const std::string& line) {
        Inbox inbox(line + "\n");
        inbox.close();
        runUciCommands(inbox);
    }

    // "position startpos|fen FEN moves" and the first count moves.
    static std::string positionLine(const std::string& startFen, const std::vector<std::string>& moves,
                                    std::size_t count) {
        std::string line = startFen == START_FEN ? "position startpos moves" : "position fen " + startFen + " moves";
        for (std::size_t i = 0; i < count; ++i) line += " " + moves[i];
        return line;
    }

    TempDir dir;
};

TEST_F(UciPosition, GamesSentPlyByPlyOrWholeReachEveryPosition) {
    for (const RecordedGame& r : loadGamesAndLines()) {
        const std::string& start = r.fens[0];
        send("ucinewgame");
        for (std::size_t ply = 1; ply <= r.moves.size(); ++ply) {
            send(positionLine(start, r.moves, ply));
            ASSERT_EQ(currentFen(), r.fens[ply]) << r.name << " ply " << ply;
            // A move taken back, then played again: the same game set up afresh.
            send(positionLine(start, r.moves, ply - 1));
            ASSERT_EQ(currentFen(), r.fens[ply - 1]) << r.name << " back from ply " << ply;
            send(positionLine(start, r.moves, ply));
        }
        send("ucinewgame");
        send(positionLine(start, r.moves, r.moves.size()));
        EXPECT_EQ(currentFen(), r.fens.back()) << r.name << " sent whole";
    }
}

// Knights out and back twice: the initial position for the third time.
const std::vector<std::string> KNIGHTS = {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"};

TEST_F(UciPosition, TheGameHistoryHoldsItsRepetitionsHoweverTheGameArrives) {
    const std::vector<std::vector<std::size_t>> ways = {
        {8},                       // whole, as a new game
        {1, 2, 3, 4, 5, 6, 7, 8},  // going on ply by ply
        {6, 3, 8},                 // a move taken back, then another line of the same game
    };
    for (const auto& counts : ways) {
        send("ucinewgame");
        send("position fen 4k3/8/8/8/8/8/8/4K3 w - - 0 1");  // another game in between
        for (std::size_t count : counts) send(positionLine(START_FEN, KNIGHTS, count));
        EXPECT_EQ(currentFen(), START_FEN);
        EXPECT_EQ(checkDraw(gamePosition, 2), VERDICT_REPETITION) << "sent in " << counts.size() << " step(s)";
    }
}

TEST_F(UciPosition, OnlyANewGameOrAnUnrelatedPositionClearsTheTable) {
    const std::vector<DataRow> steps = readDataTable("uci_table_clears.txt");
    ASSERT_GE(steps.size(), 9u);
    send("ucinewgame");
    for (const DataRow& step : steps) {
        markEngineTable();
        send(step[0]);
        EXPECT_EQ(!engineTableMarked(), step.at(1) == "yes") << step[0];
    }
}

}  // namespace
