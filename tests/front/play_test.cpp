// A whole game against the real engine over pipes, with the test as the interface
// and a random opponent: every engine move is checked on the test's own board.
#include <gtest/gtest.h>

#include <random>

#include "board/fen.h"
#include "board/makemove.h"
#include "engine_session.h"
#include "front_support.h"
#include "movegen/legal.h"
#include "movegen/notation.h"
#include "support/board_helpers.h"

namespace {

constexpr int REPLY_TIMEOUT_MS = 20000;

class EngineGame : public ::testing::Test {
protected:
    void SetUp() override {
        engine.send("xboard");
        engine.send("protover 2");
    }
    void TearDown() override {
        engine.send("quit");
        EXPECT_EQ(engine.finish(REPLY_TIMEOUT_MS), 0) << "the engine did not end cleanly";
    }

    // The engine's next line that is not a feature line.
    std::string reply() {
        for (;;) {
            const std::string line = engine.nextLine(REPLY_TIMEOUT_MS);
            if (engine.timedOut) return "(no reply)";
            if (line.empty() || line.rfind("feature ", 0) == 0 || line.rfind("tellusererror", 0) == 0) continue;
            return line;
        }
    }
    // Plays a move on the test's board (game moves are never taken back).
    static void play(Move move) {
        saveUndoInfo(testUndo[0]);
        makeMove(move, testUndo[0]);
    }

    TempDir dir;
    EngineSession engine{dir.path};
};

TEST_F(EngineGame, PlaysOnlyLegalMovesThroughAWholeGame) {
    setUpOrFail(START_FEN);
    engine.send("new");
    engine.send("level 40 1 0");
    std::mt19937 random(20261206);
    for (int ply = 0; ply < 120; ply += 2) {
        MoveEntry legal[MAX_MOVES_PER_POSITION];
        const int count = generateLegalMoves(legal);
        if (count == 0) return;  // the test's side is mated or stalemated
        const Move ours = legal[random() % count].move;
        char text[6];
        moveToText(text, ours);
        play(ours);
        engine.send("time 500");
        engine.send("otim 500");
        engine.send(text);
        const std::string line = reply();
        if (line.rfind("move ", 0) != 0) {
            // Only a verdict may stand in for a move, and only when the game is over.
            ASSERT_TRUE(line.rfind("1-0", 0) == 0 || line.rfind("0-1", 0) == 0 || line.rfind("1/2-1/2", 0) == 0) << line;
            return;
        }
        const Move theirs = coordinateMove(line.substr(5));
        ASSERT_TRUE(isLegalMove(theirs)) << line << " in " << currentFen();
        play(theirs);
    }
}

}  // namespace
