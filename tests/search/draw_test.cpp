#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "search/draw.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// Plays coordinate moves as game moves (never taken back).
void play(std::initializer_list<const char*> words) {
    for (const char* word : words) {
        saveUndoInfo(testUndo[0]);
        makeMove(coordinateMove(word), testUndo[0]);
    }
}

constexpr const char* NO_CASTLING_ROOK_ENDING = "4k3/8/8/8/8/8/8/4K2R w - -";

TEST(CheckDraw, KnightsOutAndBackRepeatTheStartPosition) {
    setUpOrFail(START_FEN);
    play({"g1f3", "g8f6", "f3g1"});
    EXPECT_EQ(checkDraw(1), 0);  // three reversible plies cannot hold a repetition
    play({"f6g8"});
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);
    EXPECT_EQ(checkDraw(2), 0);
    play({"g1f3"});
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);  // the position after Nf3 was seen at ply 1
    EXPECT_EQ(checkDraw(2), 0);
    play({"g8f6", "f3g1", "f6g8"});
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);
    EXPECT_EQ(checkDraw(2), VERDICT_REPETITION);  // third occurrence
    EXPECT_EQ(checkDraw(3), 0);
}

TEST(CheckDraw, TheSamePlacementWithTheOtherSideToMoveIsNoRepetition) {
    // The white king walks the triangle e1-d1-d2-e1 while the black king steps to d8
    // and back: after five plies the start's placement is back with Black to move.
    // Keys carry no side to move, so only the scan's steps of two tell them apart.
    setUpOrFail(NO_CASTLING_ROOK_ENDING);
    const HashKey start = position.hashKey;
    play({"e1d1"});
    const HashKey afterPly1 = position.hashKey;  // d1 and e8, Black to move
    play({"e8d8", "d1d2", "d8e8", "d2e1"});
    ASSERT_EQ(position.hashKey, start);
    EXPECT_EQ(checkDraw(1), 0);
    play({"e8d8", "e1d1", "d8e8"});
    ASSERT_EQ(position.hashKey, afterPly1);  // now White to move
    EXPECT_EQ(checkDraw(1), 0);
    play({"d1e1"});  // the placement of ply 5, Black to move both times
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);
    EXPECT_EQ(checkDraw(2), 0);
}

TEST(CheckDraw, AnIrreversibleMoveEndsTheScan) {
    // Keys equal across a pawn move cannot happen on a real board, so the history
    // is written by hand: the same key before and after an entry with count 0.
    setUpOrFail(NO_CASTLING_ROOK_ENDING);
    const HashKey key = 0x0123456789ABCDEFULL;
    const std::uint16_t counts[] = {0, 1, 2, 0, 1, 2, 3, 4};
    for (int i = 0; i < 8; ++i) {
        gameHistory[i] = GameHistoryEntry{};
        gameHistory[i].setKey(0x1000 + i);
        gameHistory[i].reversibleCount = counts[i];
    }
    gameHistory[1].setKey(key);  // before the irreversible entry 3: not to be found
    gameHistory[7].setKey(key);
    historyTop = &gameHistory[7];
    EXPECT_EQ(checkDraw(1), 0);
    gameHistory[3].setKey(key);  // entry 3 itself (count 0) is still in range
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);
    setUpOrFail(START_FEN);
}

TEST(CheckDraw, FiftyMovesFromAHundredReversiblePlies) {
    // Ninety-nine plies of distinct positions, written by hand: no real line of
    // that length without a repetition is needed to test the count.
    setUpOrFail(NO_CASTLING_ROOK_ENDING);
    for (int i = 1; i <= 100; ++i) {
        gameHistory[i] = GameHistoryEntry{};
        gameHistory[i].setKey(0xABC00000ULL + static_cast<HashKey>(i));
        gameHistory[i].reversibleCount = static_cast<std::uint16_t>(i);
    }
    historyTop = &gameHistory[99];
    EXPECT_EQ(checkDraw(1), 0);
    gameHistory[97].setKey(gameHistory[99].key());
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);  // at 99 the scan still runs
    historyTop = &gameHistory[100];
    EXPECT_EQ(checkDraw(1), VERDICT_FIFTY_MOVES);
    EXPECT_EQ(checkDraw(2), VERDICT_FIFTY_MOVES);
    setUpOrFail(START_FEN);
}

TEST(CheckDraw, MaterialThatCannotMate) {
    struct Case {
        const char* fen;
        Move verdict;
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - -", VERDICT_NO_MATERIAL},     // bare kings
        {"4k3/8/8/8/8/8/8/2B1K3 b - -", VERDICT_NO_MATERIAL},   // king and bishop
        {"4k3/8/8/8/8/8/8/1N2K3 w - -", VERDICT_NO_MATERIAL},   // king and knight
        {"4k3/8/8/8/8/8/8/1N2K1N1 w - -", 0},                   // king and two knights: 6 units
        {"4kb2/8/8/8/8/8/8/1N2K3 w - -", 0},                    // a minor piece each
        {"4k3/8/8/8/8/8/8/4K2R w - -", 0},                      // a rook
        {"4k3/8/8/8/8/8/4P3/4K3 w - -", 0},                     // a pawn
        {"4k3/p7/8/8/8/8/8/4K3 b - -", 0},                      // a black pawn
    };
    for (const Case& c : cases) {
        setUpOrFail(c.fen);
        EXPECT_EQ(checkDraw(1), c.verdict) << c.fen;
        EXPECT_EQ(checkDraw(2), c.verdict) << c.fen;
    }
}

TEST(CheckDraw, MissingMaterialWinsOverARepetition) {
    setUpOrFail("4k3/8/8/8/8/8/8/2B1K3 w - -");
    play({"e1d1", "e8d8", "d1e1", "d8e8"});
    EXPECT_EQ(checkDraw(1), VERDICT_NO_MATERIAL);
}

TEST(CheckDraw, RealGamesRepeatExactlyWhereTheirPositionsRecur) {
    // Ground truth: the FENs pgn-extract wrote for every ply. A position repeats when
    // its FEN (side to move included) appeared earlier in the game.
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        std::map<std::string, int> seen{{game.fens[0], 1}};
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            saveUndoInfo(testUndo[0]);
            makeMove(coordinateMove(game.moves[i]), testUndo[0]);
            const int earlier = seen[game.fens[i + 1]]++;
            const Move verdict = checkDraw(1);
            if (verdict == VERDICT_NO_MATERIAL || verdict == VERDICT_FIFTY_MOVES) continue;
            EXPECT_EQ(verdict == VERDICT_REPETITION, earlier > 0) << game.name << " ply " << i + 1;
            EXPECT_EQ(checkDraw(2) == VERDICT_REPETITION, earlier > 1) << game.name << " ply " << i + 1;
        }
    }
}

// ---- repetitionsAfter ----------------------------------------------------------------

TEST(RepetitionsAfter, OnlyQuietPieceMovesAreCountedAndNothingChanges) {
    setUpOrFail("r3k3/1P6/8/3pP3/8/8/4P3/R3K2R w KQq d6");
    const PositionSnapshot before = takeSnapshot();
    for (const char* word : {"e5d6", "e5e6", "e2e4", "b7b8q", "b7a8q", "a1a8", "e1g1", "e1c1"}) {
        EXPECT_EQ(repetitionsAfter(coordinateMove(word)), 0) << word;
        EXPECT_TRUE(takeSnapshot() == before) << word;
    }
    EXPECT_EQ(repetitionsAfter(makeMoveCode(SQ_C1, SQ_C1 - 8, KIND_QUIET)), 0);  // empty from-square
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(RepetitionsAfter, CountsTheEarlierOccurrencesOfThePositionAfterTheMove) {
    setUpOrFail(START_FEN);
    EXPECT_EQ(repetitionsAfter(coordinateMove("g1f3")), 0);
    play({"g1f3", "g8f6", "f3g1"});
    const GameHistoryEntry* top = historyTop;
    const PositionSnapshot before = takeSnapshot();
    const Move back = coordinateMove("f6g8");
    EXPECT_EQ(repetitionsAfter(back), 1);
    EXPECT_EQ(historyTop, top);
    EXPECT_TRUE(takeSnapshot() == before);

    // The answer agrees with making the move and asking checkDraw.
    play({"f6g8"});
    EXPECT_EQ(checkDraw(1), VERDICT_REPETITION);
    EXPECT_EQ(checkDraw(2), 0);

    play({"g1f3", "g8f6", "f3g1"});
    EXPECT_EQ(repetitionsAfter(back), 2);
    EXPECT_EQ(repetitionsAfter(coordinateMove("f6h5")), 0);
    play({"f6g8"});
    EXPECT_EQ(checkDraw(2), VERDICT_REPETITION);
}

TEST(RepetitionsAfter, LongReversibleRunsAreDistrusted) {
    setUpOrFail(NO_CASTLING_ROOK_ENDING);
    const Move rookUp = coordinateMove("h1h2");
    for (int i = 1; i <= 99; ++i) {
        gameHistory[i] = GameHistoryEntry{};
        gameHistory[i].setKey(0xABC00000ULL + static_cast<HashKey>(i));
        gameHistory[i].reversibleCount = static_cast<std::uint16_t>(i);
    }
    const struct {
        int count;  // reversible plies before the move
        int expected;
    } cases[] = {{2, 0}, {74, 0}, {75, 1}, {98, 1}, {99, 2}};
    for (const auto& c : cases) {
        historyTop = &gameHistory[c.count];
        EXPECT_EQ(repetitionsAfter(rookUp), c.expected) << c.count;
        EXPECT_EQ(historyTop, &gameHistory[c.count]);
    }
    setUpOrFail(START_FEN);
}

}  // namespace
