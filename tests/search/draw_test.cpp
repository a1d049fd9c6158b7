// Draws: repetitions (after a move and before it), fifty moves and material that cannot mate.
#include <gtest/gtest.h>

#include <map>

#include "search/draw.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

constexpr const char* ROOK_ENDING = "4k3/8/8/8/8/8/8/4K2R w - -";

// A history written by hand: entries 1..count with distinct keys and growing
// reversible counts, the top at `top`.
void writeHistory(int count, int top) {
    setUpOrFail(ROOK_ENDING);
    for (int i = 1; i <= count; ++i) {
        gamePosition.history[i] = GameHistoryEntry{};
        gamePosition.history[i].setKey(0xABC00000ULL + static_cast<HashKey>(i));
        gamePosition.history[i].reversibleCount = static_cast<std::uint16_t>(i);
    }
    gamePosition.historyTop = &gamePosition.history[top];
}

}  // namespace

TEST(Repetition, KnightsOutAndBackRepeatTheStartPosition) {
    setUpOrFail(START_FEN);
    EXPECT_EQ(repetitionsAfter(gamePosition, coordinateMove("g1f3")), 0);
    playMoves({"g1f3", "g8f6", "f3g1"});
    EXPECT_EQ(checkDraw(gamePosition, 1), 0);  // three reversible plies cannot hold a repetition
    const PositionSnapshot before = takeSnapshot();
    EXPECT_EQ(repetitionsAfter(gamePosition, coordinateMove("f6g8")), 1);  // the same answer as making it, below
    EXPECT_EQ(repetitionsAfter(gamePosition, coordinateMove("f6h5")), 0);
    EXPECT_TRUE(takeSnapshot() == before);
    playMoves({"f6g8"});
    EXPECT_EQ(checkDraw(gamePosition, 1), VERDICT_REPETITION);
    EXPECT_EQ(checkDraw(gamePosition, 2), 0);
    playMoves({"g1f3"});
    EXPECT_EQ(checkDraw(gamePosition, 1), VERDICT_REPETITION);  // the position after Nf3 was seen at ply 1
    playMoves({"g8f6", "f3g1"});
    EXPECT_EQ(repetitionsAfter(gamePosition, coordinateMove("f6g8")), 2);
    playMoves({"f6g8"});
    EXPECT_EQ(checkDraw(gamePosition, 2), VERDICT_REPETITION);  // third occurrence
    EXPECT_EQ(checkDraw(gamePosition, 3), 0);
}

TEST(Repetition, TheSamePlacementWithTheOtherSideToMoveIsNoRepetition) {
    // The white king walks the triangle e1-d1-d2-e1 while the black king steps to d8 and
    // back: the start's placement comes back with Black to move. Keys carry no side to
    // move, so only the scan's steps of two tell them apart.
    setUpOrFail(ROOK_ENDING);
    playMoves({"e1d1", "e8d8", "d1d2", "d8e8", "d2e1"});
    EXPECT_EQ(checkDraw(gamePosition, 1), 0);
    playMoves({"e8d8", "e1d1", "d8e8"});
    EXPECT_EQ(checkDraw(gamePosition, 1), 0);
    playMoves({"d1e1"});  // the placement of ply 5, Black to move both times
    EXPECT_EQ(checkDraw(gamePosition, 1), VERDICT_REPETITION);
}

TEST(Repetition, AnIrreversibleMoveEndsTheScan) {
    writeHistory(7, 7);
    for (int i = 3; i <= 7; ++i) gamePosition.history[i].reversibleCount = static_cast<std::uint16_t>(i - 3);  // 3 follows a capture
    gamePosition.history[1].setKey(gamePosition.history[7].key());  // before it: not to be found
    EXPECT_EQ(checkDraw(gamePosition, 1), 0);
    gamePosition.history[3].setKey(gamePosition.history[7].key());  // entry 3 itself is still in range
    EXPECT_EQ(checkDraw(gamePosition, 1), VERDICT_REPETITION);
}

TEST(FiftyMoves, AHundredReversiblePliesDrawAndLongRunsAreDistrusted) {
    writeHistory(100, 99);
    EXPECT_EQ(checkDraw(gamePosition, 1), 0);
    gamePosition.history[97].setKey(gamePosition.history[99].key());
    EXPECT_EQ(checkDraw(gamePosition, 1), VERDICT_REPETITION);  // at 99 the scan still runs
    gamePosition.historyTop = &gamePosition.history[100];
    EXPECT_EQ(checkDraw(gamePosition, 2), VERDICT_FIFTY_MOVES);
    // After a move, from 75 reversible plies on, a repetition is assumed; from 100 on, two.
    const Move rookUp = coordinateMove("h1h2");
    const std::pair<int, int> distrusted[] = {{2, 0}, {74, 0}, {75, 1}, {98, 1}, {99, 2}};
    for (const auto& [count, expected] : distrusted) {
        writeHistory(99, count);
        EXPECT_EQ(repetitionsAfter(gamePosition, rookUp), expected) << count;
    }
}

TEST(RepetitionsAfter, OnlyQuietPieceMovesAreCountedAndNothingChanges) {
    setUpOrFail("r3k3/1P6/8/3pP3/8/8/4P3/R3K2R w KQq d6");
    const PositionSnapshot before = takeSnapshot();
    for (const char* word : {"e5d6", "e5e6", "e2e4", "b7b8q", "b7a8q", "a1a8", "e1g1", "e1c1", "c1c2"})
        EXPECT_EQ(repetitionsAfter(gamePosition, coordinateMove(word)), 0) << word;  // c1 is empty
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(Material, TooLittleToMateIsADrawEvenOverARepetition) {
    const std::pair<const char*, Move> cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - -", VERDICT_NO_MATERIAL},  {"4k3/8/8/8/8/8/8/2B1K3 b - -", VERDICT_NO_MATERIAL},
        {"4k3/8/8/8/8/8/8/1N2K3 w - -", VERDICT_NO_MATERIAL}, {"4k3/8/8/8/8/8/8/1N2K1N1 w - -", 0},
        {"4kb2/8/8/8/8/8/8/1N2K3 w - -", 0},                  {"4k3/8/8/8/8/8/8/4K2R w - -", 0},
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", 0},                   {"4k3/p7/8/8/8/8/8/4K3 b - -", 0},
    };
    for (const auto& [fen, verdict] : cases) {
        setUpOrFail(fen);
        EXPECT_EQ(checkDraw(gamePosition, 1), verdict) << fen;
        EXPECT_EQ(checkDraw(gamePosition, 2), verdict) << fen;
    }
    setUpOrFail("4k3/8/8/8/8/8/8/2B1K3 w - -");
    playMoves({"e1d1", "e8d8", "d1e1", "d8e8"});
    EXPECT_EQ(checkDraw(gamePosition, 1), VERDICT_NO_MATERIAL);
}

TEST(Repetition, RealGamesRepeatExactlyWhereTheirPositionsRecur) {
    // Ground truth: the FENs pgn-extract wrote for every ply. A position repeats when
    // its FEN (side to move included) appeared earlier in the game.
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        std::map<std::string, int> seen{{game.fens[0], 1}};
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            playMoves({game.moves[i]});
            const int earlier = seen[game.fens[i + 1]]++;
            const Move verdict = checkDraw(gamePosition, 1);
            if (verdict == VERDICT_NO_MATERIAL || verdict == VERDICT_FIFTY_MOVES) continue;
            EXPECT_EQ(verdict == VERDICT_REPETITION, earlier > 0) << game.name << " ply " << i + 1;
            EXPECT_EQ(checkDraw(gamePosition, 2) == VERDICT_REPETITION, earlier > 1) << game.name << " ply " << i + 1;
        }
    }
}
