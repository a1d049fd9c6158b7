// Coordinate moves read from the root snapshot, game moves made and taken back at the
// root (make and unmake underneath, against positions pgn-extract computed), and the
// checks that keep unplayable moves off the board.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "base/log.h"
#include "board/validate.h"
#include "game/gamemove.h"
#include "game/rootsnapshot.h"
#include "movegen/legal.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

// Every legal move's text reads back as that move, and the opponent-move check takes it.
void everyLegalMoveReadsBack(const std::string& where) {
    MoveEntry legal[MAX_MOVES_PER_POSITION];
    for (int i = 0, count = generateLegalMoves(gamePosition, legal); i < count; ++i) {
        const std::string text = moveText(legal[i].move);
        ASSERT_EQ(parseCoordinateMove(text.c_str()), legal[i].move) << where << " " << text;
        ASSERT_TRUE(isAcceptableOpponentMove(legal[i].move)) << where << " " << text;
    }
}

// A real game or line played through the interface's reader as game moves, each position
// checked from scratch and against pgn-extract's FEN; then taken back move by move, each
// position bit for bit (the history too) as it was. Notes the kinds of the moves made.
void playAndTakeBack(const RecordedGame& game, std::set<MoveKind>& kinds) {
    const std::vector<std::string>& words = game.moves;
    setUpOrFail(game.fens[0].c_str());
    std::vector<PositionSnapshot> before;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string where = game.name + " ply " + std::to_string(i + 1) + " " + words[i];
        everyLegalMoveReadsBack(where);
        before.push_back(takeSnapshot());
        lastMoveFromBook = i % 3 == 0;  // the flag each move found is the flag it leaves when taken back
        const Move move = parseCoordinateMove(words[i].c_str());
        kinds.insert(moveKind(move));
        ASSERT_TRUE(applyGameMove(move)) << where;
        ASSERT_EQ(validatePosition(gamePosition), "") << where;
        ASSERT_EQ(currentFen(), game.fens[i + 1]) << where;
        ASSERT_TRUE(rootSnapshot.rootEpSquare == gamePosition.epSquare && rootSnapshot.rootSide == gamePosition.sideToMove &&
                    std::memcmp(rootSnapshot.rootBoard, gamePosition.board, sizeof gamePosition.board) == 0) << where << ": the root snapshot";
    }
    for (std::size_t i = words.size(); i > 0; --i) {
        const std::string where = game.name + " back to ply " + std::to_string(i - 1);
        ASSERT_TRUE(takeBackGameMoves(1)) << where;
        ASSERT_TRUE(takeSnapshot() == before[i - 1]) << where;
        ASSERT_EQ(validatePosition(gamePosition), "") << where;
        ASSERT_EQ(lastMoveFromBook, (i - 1) % 3 == 0) << where;
        ASSERT_EQ(rootSnapshot.rootEpSquare, gamePosition.epSquare) << where;
    }
    EXPECT_FALSE(takeBackGameMoves(1)) << game.name;  // nothing before the set-up
}

void playShuffle(int plies) {
    const char* shuffle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int ply = 0; ply < plies; ++ply) {
        ASSERT_TRUE(applyGameMove(parseCoordinateMove(shuffle[ply % 4])));
        ASSERT_LT(gamePosition.historyTop - gamePosition.history, GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE) << "ply " << ply;
    }
}

class OpponentMove : public ::testing::TestWithParam<DataRow> {};

}  // namespace

TEST(GameMoves, RealGamesAndLinesOfEveryKindThereAndBack) {
    const std::vector<RecordedGame> games = loadGamesAndLines();
    ASSERT_GE(games.size(), 16u);
    std::set<MoveKind> kinds;
    for (const RecordedGame& game : games) playAndTakeBack(game, kinds);
    for (MoveKind k = 0; k < 16; ++k)
        EXPECT_TRUE(k == KIND_NO_MOVE || kinds.count(k)) << "nothing exercises move kind " << k;
}

TEST_P(OpponentMove, IsReadAndJudged) {
    const DataRow& c = GetParam();
    ASSERT_EQ(c.size(), 4u) << c[0];
    setUpOrFail(c[0].c_str());
    const PositionSnapshot before = takeSnapshot();
    const Move move = parseCoordinateMove(c[1].c_str());
    if (c[2] == "none") {
        EXPECT_EQ(move, 0);
    }
    if (c[2] == "legal") {
        EXPECT_TRUE(move != 0 && isLegalMove(gamePosition, move) && c[1].rfind(moveText(move), 0) == 0) << c[1];
    }
    EXPECT_EQ(move != 0 && isAcceptableOpponentMove(move), c[2] == "legal");
    EXPECT_TRUE(takeSnapshot() == before);
}

INSTANTIATE_TEST_SUITE_P(Words, OpponentMove, ::testing::ValuesIn(readDataTable("opponent_moves.txt")));

TEST(GameMoves, TheReaderReadsTheRootSnapshotNotTheLivePosition) {
    setUpOrFail(START_FEN);
    // A move made on the live position only (as a ponder move is) leaves the snapshot alone.
    playMoves({"g1f3"});
    EXPECT_EQ(parseCoordinateMove("e2f3"), makeMoveCode(squareOf("e2"), squareOf("f3"), KIND_QUIET));
    EXPECT_EQ(parseCoordinateMove("g1f3"), makeMoveCode(squareOf("g1"), squareOf("f3"), KIND_QUIET));
}

TEST(GameMoves, AMoveClearsTheHistoryTableAndLogsTheKey) {
    setUpOrFail(START_FEN);
    const PositionSnapshot before = takeSnapshot();
    for (Move notAMove : {Move{0}, VERDICT_MATED, NULL_MOVE}) EXPECT_FALSE(applyGameMove(notAMove));
    EXPECT_TRUE(takeSnapshot() == before);
    TempDir dir;
    ASSERT_TRUE(openLog(dir.file("test.log").c_str()));
    mainWorker().history[WHITE][1234] = 7;
    mainWorker().history[BLACK][4095] = 9;
    ASSERT_TRUE(applyGameMove(parseCoordinateMove("e2e4")));
    closeLog();
    EXPECT_EQ(mainWorker().history[WHITE][1234], 0u);
    EXPECT_EQ(mainWorker().history[BLACK][4095], 0u);
    EXPECT_EQ(readFile(dir.file("test.log")), keyLogLine(gamePosition.hashKey) + "\n");
}

TEST(GameMoves, TheSideSwitchDropsTheEnPassantSquareOnlyWhenSafe) {
    setUpOrFail(START_FEN);
    ASSERT_TRUE(applyGameMove(parseCoordinateMove("e2e4")));
    EXPECT_TRUE(setSideToMove(WHITE));
    EXPECT_EQ(currentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -");
    EXPECT_EQ(rootSnapshot.rootEpSquare, 0);
    EXPECT_EQ(rootSnapshot.rootSide, WHITE);
    EXPECT_EQ(validatePosition(gamePosition), "");
    setUpOrFail("4k3/8/8/8/8/8/8/4R1K1 b - -");
    const PositionSnapshot before = takeSnapshot();
    EXPECT_FALSE(setSideToMove(WHITE));  // the waiting king would be in check
    EXPECT_TRUE(setSideToMove(BLACK));   // already to move: nothing changes
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(GameMoves, TakeBacksTheHistoryNoLongerShowsAreRefusedWhole) {
    setUpOrFail(START_FEN);
    for (const char* word : {"e2e4", "e7e5", "g1f3"}) ASSERT_TRUE(applyGameMove(parseCoordinateMove(word)));
    PositionSnapshot before = takeSnapshot();
    EXPECT_FALSE(takeBackGameMoves(4));  // three were made
    EXPECT_TRUE(takeSnapshot() == before);
    ASSERT_TRUE(setSideToMove(WHITE));  // the interface's side switch: the last move no longer leads here
    before = takeSnapshot();
    EXPECT_FALSE(takeBackGameMoves(1));
    EXPECT_TRUE(takeSnapshot() == before);
}

// An endless game never overruns the history; it keeps only its newest positions, and
// moves can be taken back that far, no further.
TEST(GameMoves, AnEndlessGameKeepsItsNewestHistory) {
    setUpOrFail(START_FEN);
    playShuffle(3 * GAME_HISTORY_SIZE);
    EXPECT_EQ(gamePosition.historyTop->key(), gamePosition.hashKey);
    EXPECT_EQ((gamePosition.historyTop - 4)->key(), gamePosition.hashKey);  // the position four plies ago is the same
    EXPECT_EQ(currentFen(), START_FEN);                    // back where it began after whole cycles
    EXPECT_EQ(validatePosition(gamePosition), "");
    // Making a move relies on every entry from the top up holding no move.
    for (const GameHistoryEntry* e = gamePosition.historyTop; e < gamePosition.history + GAME_HISTORY_SIZE; ++e)
        ASSERT_EQ(e->move, 0) << "entry " << e - gamePosition.history;
    const long kept = gamePosition.historyTop - gamePosition.history;
    EXPECT_GE(kept, 100);
    const HashKey oldest = gamePosition.history[0].key();
    EXPECT_FALSE(takeBackGameMoves(static_cast<int>(kept) + 1));
    EXPECT_TRUE(takeBackGameMoves(static_cast<int>(kept)));
    EXPECT_EQ(gamePosition.hashKey, oldest);
    EXPECT_EQ(validatePosition(gamePosition), "");
}
