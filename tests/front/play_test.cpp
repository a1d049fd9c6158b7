// Whole games against the real engine over pipes, with the test as the interface
// and opponent: every engine move is checked on the test's own board.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

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
    // The engine's move line, checked legal on the test's board and played there.
    ::testing::AssertionResult engineMoves(std::string& text) {
        const std::string line = reply();
        if (line.rfind("move ", 0) != 0) return ::testing::AssertionFailure() << "expected a move, got: " << line;
        text = line.substr(5);
        const Move move = coordinateMove(text);
        if (!isLegalMove(move)) return ::testing::AssertionFailure() << "illegal engine move " << text << " in " << currentFen();
        play(move);
        return ::testing::AssertionSuccess();
    }
    // Waits until the engine's log holds a line starting with prefix; the rest of it.
    std::string waitForLogLine(const std::string& prefix, std::size_t after = 0) {
        for (int waited = 0; waited < REPLY_TIMEOUT_MS; waited += 10) {
            const std::vector<std::string> lines = splitLines(readFile(dir.file("Zorvak.log")));
            for (std::size_t i = after; i < lines.size(); ++i)
                if (lines[i].rfind(prefix, 0) == 0) return lines[i].substr(prefix.size());
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "(not logged)";
    }
    std::size_t logLineCount() { return splitLines(readFile(dir.file("Zorvak.log"))).size(); }

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

TEST_F(EngineGame, PonderHitGoesOnAndPonderMissTakesThePredictionBack) {
    setUpOrFail(START_FEN);
    engine.send("new");
    engine.send("hard");
    engine.send("time 3000");
    engine.send("otim 3000");
    engine.send("go");
    std::string text;
    ASSERT_TRUE(engineMoves(text));
    // Hit: the predicted reply is played.
    const std::string predicted = waitForLogLine("-ponder move: ");
    const Move hit = coordinateMove(predicted);
    ASSERT_TRUE(isLegalMove(hit)) << predicted;
    play(hit);
    std::size_t seen = logLineCount();
    engine.send("time 3000");
    engine.send("otim 3000");
    engine.send(predicted);
    ASSERT_TRUE(engineMoves(text));
    EXPECT_EQ(waitForLogLine("-GOOD PONDER", seen), "");
    // Miss: another legal move; the engine must answer on the real position.
    const std::string nextPrediction = waitForLogLine("-ponder move: ", seen);
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    const int count = generateLegalMoves(legal);
    ASSERT_GT(count, 1);
    Move other = legal[0].move;
    if (other == coordinateMove(nextPrediction)) other = legal[1].move;
    char otherText[6];
    moveToText(otherText, other);
    play(other);
    seen = logLineCount();
    engine.send("time 3000");
    engine.send("otim 3000");
    engine.send(otherText);
    ASSERT_TRUE(engineMoves(text));
    EXPECT_EQ(waitForLogLine("-BAD PONDER", seen), "");
}

TEST_F(EngineGame, AnnouncesItsMateInOne) {
    setUpOrFail("6k1/5ppp/8/8/8/8/8/R5K1 w - -");
    engine.send("setboard 6k1/5ppp/8/8/8/8/8/R5K1 w - -");
    engine.send("time 1000");
    engine.send("otim 1000");
    engine.send("go");
    EXPECT_EQ(reply(), "move a1a8");
    EXPECT_EQ(reply(), "1-0 {Zorvak mates 1}");
}

TEST_F(EngineGame, MatedOrDrawnBeforeMovingSendsOnlyTheResult) {
    // Fool's mate: White to move is mated.
    engine.send("setboard rnb1kbnr/pppp1ppp/8/4p3/6Pq/5P2/PPPPP2P/RNBQKBNR w KQkq -");
    engine.send("go");
    EXPECT_EQ(reply(), "0-1 {Zorvak mated 0}");
    // Knights out and back twice: the start position for the third time, White to move.
    engine.send("new");
    engine.send("force");
    for (const char* move : {"g1f3", "g8f6", "f3g1", "f6g8", "g1f3", "g8f6", "f3g1", "f6g8"}) engine.send(move);
    engine.send("go");
    EXPECT_EQ(reply(), "1/2-1/2 {Draw by 3 fold repetition (2)}");
}

}  // namespace
