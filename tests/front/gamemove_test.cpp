// Coordinate moves read from the root snapshot, game moves made at the root,
// and the checks that keep unplayable moves off the board.
#include <gtest/gtest.h>

#include "base/log.h"
#include "board/validate.h"
#include "board/zobrist.h"
#include "front_support.h"
#include "game/gamemove.h"
#include "game/rootsnapshot.h"
#include "search/history.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

Square sq(const char* name) { return (name[0] - 'a') + 8 * ('8' - name[1]); }
Move code(const char* from, const char* to, MoveKind kind) { return makeMoveCode(sq(from), sq(to), kind); }

// Parses and plays each word as the interface's move, checking every position
// against its known FEN and the key rule.
void playThroughFrontEnd(const std::string& name, const std::string& startFen, const std::vector<std::string>& words,
                         const std::vector<std::string>& fensAfter) {
    std::vector<HashKey> keys;
    for (const std::string& fen : fensAfter) keys.push_back(keyByRule(startFen, fen));
    setUpOrFail(startFen.c_str());
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string where = name + " ply " + std::to_string(i + 1) + " " + words[i];
        const Move move = parseCoordinateMove(words[i].c_str());
        ASSERT_EQ(move, coordinateMove(words[i])) << where;
        ASSERT_TRUE(isAcceptableOpponentMove(move)) << where;
        ASSERT_TRUE(applyGameMove(move)) << where;
        ASSERT_EQ(validatePosition(), "") << where;
        ASSERT_EQ(currentFen(), fensAfter[i]) << where;
        ASSERT_EQ(position.hashKey, keys[i]) << where;
    }
}

}  // namespace

TEST(ParseCoordinateMove, PromotionsTakeTheirKindFromTheLetterAndTheTarget) {
    setUpOrFail("7k/4P3/8/8/8/8/8/K7 w - -");
    EXPECT_EQ(parseCoordinateMove("e7e8q"), code("e7", "e8", 4));
    EXPECT_EQ(parseCoordinateMove("e7e8n"), code("e7", "e8", 5));
    EXPECT_EQ(parseCoordinateMove("e7e8r"), code("e7", "e8", 6));
    EXPECT_EQ(parseCoordinateMove("e7e8b"), code("e7", "e8", 7));
    setUpOrFail("3rr2k/4P3/8/8/8/8/8/K7 w - -");
    EXPECT_EQ(parseCoordinateMove("e7e8q"), code("e7", "e8", 8));
    EXPECT_EQ(parseCoordinateMove("e7d8n"), code("e7", "d8", 9));
    EXPECT_EQ(parseCoordinateMove("e7d8r"), code("e7", "d8", 10));
    EXPECT_EQ(parseCoordinateMove("e7d8b"), code("e7", "d8", 11));
}

TEST(ParseCoordinateMove, CastlingNeedsOnlyTheRootRight) {
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w KQkq -");
    EXPECT_EQ(parseCoordinateMove("e1g1"), code("e1", "g1", 13));  // with the long right set as well
    EXPECT_EQ(parseCoordinateMove("e1c1"), code("e1", "c1", 15));
    EXPECT_EQ(parseCoordinateMove("e8g8"), code("e8", "g8", 12));
    EXPECT_EQ(parseCoordinateMove("e8c8"), code("e8", "c8", 14));
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w Qk -");
    EXPECT_EQ(parseCoordinateMove("e1g1"), code("e1", "g1", KIND_QUIET));
    EXPECT_EQ(parseCoordinateMove("e1c1"), code("e1", "c1", 15));
    EXPECT_EQ(parseCoordinateMove("e8g8"), code("e8", "g8", 12));
    EXPECT_EQ(parseCoordinateMove("e8c8"), code("e8", "c8", KIND_QUIET));
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w - -");
    EXPECT_EQ(parseCoordinateMove("e1g1"), code("e1", "g1", KIND_QUIET));
    EXPECT_EQ(parseCoordinateMove("e8c8"), code("e8", "c8", KIND_QUIET));
}

TEST(ParseCoordinateMove, EnPassantOnlyThroughTheRootSquare) {
    // 1. e4 d5 2. e5 f5: f6 is the en-passant square, d6 is not.
    setUpOrFail("rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6");
    EXPECT_EQ(parseCoordinateMove("e5f6"), code("e5", "f6", KIND_EN_PASSANT));
    EXPECT_EQ(parseCoordinateMove("e5d6"), code("e5", "d6", KIND_QUIET));
    EXPECT_EQ(parseCoordinateMove("e5f6q"), code("e5", "f6", KIND_PROMOTE_QUEEN));  // a letter means promotion
}

TEST(ParseCoordinateMove, CapturesAndExtraCharacters) {
    setUpOrFail("rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -");
    EXPECT_EQ(parseCoordinateMove("f3e5"), code("f3", "e5", KIND_CAPTURE));
    EXPECT_EQ(parseCoordinateMove("f3e5q"), code("f3", "e5", KIND_CAPTURE));  // ignored on a piece move
    EXPECT_EQ(parseCoordinateMove("f3g5n"), code("f3", "g5", KIND_QUIET));
    EXPECT_EQ(parseCoordinateMove("d2d4+"), code("d2", "d4", KIND_QUIET));    // no promotion letter
}

TEST(ParseCoordinateMove, WordsThatAreNoMove) {
    setUpOrFail(START_FEN);
    for (const char* word : {"a8a8", "e2e2", "e2", "e2e", "", "i2i4", "e9e4", "e2e0", "E2E4", "2e4e", "new", "go"})
        EXPECT_EQ(parseCoordinateMove(word), 0) << word;
}

TEST(ParseCoordinateMove, ReadsTheRootSnapshotNotTheLivePosition) {
    setUpOrFail(START_FEN);
    // A move made on the live position only (as a ponder move is) leaves the snapshot alone.
    saveUndoInfo(testUndo[1]);
    makeMove(code("g1", "f3", KIND_QUIET), testUndo[1]);
    ASSERT_EQ(position.board[sq("f3")], WHITE_KNIGHT);
    EXPECT_EQ(parseCoordinateMove("e2f3"), code("e2", "f3", KIND_QUIET));
    EXPECT_EQ(parseCoordinateMove("g1f3"), code("g1", "f3", KIND_QUIET));
}

TEST(ApplyGameMove, RefusesNoMoveAndVerdictCodes) {
    setUpOrFail(START_FEN);
    const PositionSnapshot before = takeSnapshot();
    EXPECT_FALSE(applyGameMove(0));
    EXPECT_FALSE(applyGameMove(VERDICT_MATED));
    EXPECT_FALSE(applyGameMove(NULL_MOVE));
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(ApplyGameMove, AdvancesTheSnapshotClearsHistoryAndLogsTheKey) {
    TempDir dir;
    ASSERT_TRUE(openLog(dir.file("test.log").c_str()));
    const std::string fenAfter = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3";
    const HashKey expected = keyByRule(START_FEN, fenAfter);
    setUpOrFail(START_FEN);
    historyTable[WHITE][1234] = 7;
    historyTable[BLACK][4095] = 9;

    ASSERT_TRUE(applyGameMove(parseCoordinateMove("e2e4")));
    closeLog();
    EXPECT_EQ(position.hashKey, expected);
    EXPECT_EQ(rootSnapshot.rootEpSquare, sq("e3"));
    EXPECT_EQ(rootSnapshot.rootBoard[sq("e4")], WHITE_PAWN);
    EXPECT_EQ(rootSnapshot.rootBoard[sq("e2")], EMPTY);
    EXPECT_EQ(rootSnapshot.rootSide, BLACK);
    EXPECT_EQ(historyTable[WHITE][1234], 0u);
    EXPECT_EQ(historyTable[BLACK][4095], 0u);

    const std::vector<std::string> lines = splitLines(readFile(dir.file("test.log")));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], keyLogLine(expected));
    // Lowercase hexadecimal halves without leading zeros.
    EXPECT_TRUE(isKeyLogLine(lines[0])) << lines[0];
    EXPECT_FALSE(isKeyLogLine("0a1 b2"));  // the form check itself tells a leading zero
    EXPECT_FALSE(isKeyLogLine("A1 b2"));
}

TEST(ApplyGameMove, RealGamesThroughTheMoveParser) {
    const std::vector<RecordedGame> games = loadRecordedGames();
    ASSERT_GE(games.size(), 6u);
    for (const RecordedGame& game : games)
        playThroughFrontEnd(game.name, game.fens[0], game.moves,
                            std::vector<std::string>(game.fens.begin() + 1, game.fens.end()));
}

TEST(ApplyGameMove, LinesOfEveryMoveKindThroughTheMoveParser) {
    const std::vector<RecordedLine> lines = loadRecordedLines();
    ASSERT_GE(lines.size(), 8u);
    for (const RecordedLine& line : lines) playThroughFrontEnd(line.name, line.start, line.moves, line.fens);
}

TEST(ApplyGameMove, AnEndlessGameNeverOverrunsTheHistory) {
    setUpOrFail(START_FEN);
    const char* shuffle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int ply = 0; ply < 3 * GAME_HISTORY_SIZE; ++ply) {
        ASSERT_TRUE(applyGameMove(parseCoordinateMove(shuffle[ply % 4])));
        ASSERT_LT(historyTop - gameHistory, GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE) << "ply " << ply;
    }
    EXPECT_EQ(historyTop->key(), position.hashKey);
    EXPECT_EQ(position.hashKey, INITIAL_POSITION_KEY);  // back where it began after whole cycles
    EXPECT_EQ(validatePosition(), "");
}

TEST(OpponentMove, RefusesMovesThatWouldBreakTheBoard) {
    struct Case {
        const char* fen;
        const char* word;
        const char* why;
    };
    const Case cases[] = {
        {START_FEN, "e3e4", "no piece on the from-square"},
        {START_FEN, "e7e5", "the other side's piece"},
        {START_FEN, "a1a2", "onto its own piece"},
        {START_FEN, "e2d3", "pawn moving diagonally to an empty square"},
        {START_FEN, "e2e4q", "promotion away from the last rank"},
        {START_FEN, "e1g1", "castling through its own bishop and knight"},
        {"rnbqkbnr/pppppppp/8/8/8/4N3/PPPPPPPP/R1BQKBNR w KQkq -", "e2e4", "double step over a piece"},
        {"8/8/8/4k3/8/4P3/8/4K3 w - -", "e3e2", "pawn moving back"},
        {"8/8/8/4k3/8/4P3/8/4K3 w - -", "e3d3", "pawn moving sideways"},
        {"8/8/8/4k3/8/4P3/8/4K3 w - -", "e3e5", "double step not from the start"},
        {"7k/4P3/8/8/8/8/8/K7 w - -", "e7e8", "pawn reaching the last rank without promoting"},
        {"7k/4P3/8/8/8/8/8/K7 w - -", "e7e8x", "unknown promotion letter"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", "e8g8", "castling of the side not to move"},
        {"r3k1r1/8/8/8/8/8/8/R3K2R w KQq -", "e1g1", "castling into check"},
        {"4k3/4r3/8/8/8/8/4B3/4K3 w - -", "e2d3", "pinned piece leaving the line"},
        {"4k3/8/8/8/8/8/3r4/4K3 w - -", "e1e2", "king stepping into a rook's line"},
        {"8/8/8/3k4/8/3K4/8/8 w - -", "d3d4", "king next to the other king"},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6", "e5d6", "diagonal step to an empty square"},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq -", "e1e3", "king moving two squares up"},
        {"4k3/8/8/8/8/8/8/1N2K3 w - -", "b1d3", "knight moving like a bishop"},
        {"4k3/8/8/8/8/8/8/R3K3 w - -", "a1b2", "rook moving diagonally"},
        {"r3k2r/8/8/8/8/8/5r2/R3K2R w KQkq -", "e1g1", "castling through an attacked square"},
        {"r3k2r/8/8/8/8/8/4r3/R3K2R w KQkq -", "e1c1", "castling out of check"},
        {"4k3/8/8/8/8/8/8/RN2K3 w Q -", "e1c1", "castling over a piece"},
    };
    for (const Case& c : cases) {
        setUpOrFail(c.fen);
        const PositionSnapshot before = takeSnapshot();
        const Move move = parseCoordinateMove(c.word);
        ASSERT_NE(move, 0) << c.word;
        EXPECT_FALSE(isAcceptableOpponentMove(move)) << c.why << ": " << c.word << " in " << c.fen;
        EXPECT_TRUE(takeSnapshot() == before) << c.why;
        EXPECT_EQ(historyTop->move, 0) << c.why;
    }
}

TEST(OpponentMove, AcceptsWhatTheRulesAllow) {
    struct Case {
        const char* fen;
        const char* word;
    };
    const Case cases[] = {
        {"4k3/8/8/8/8/8/3r4/4K3 w - -", "e1d2"},  // taking the unguarded rook
        {"4k3/8/8/8/8/8/3r4/4K3 w - -", "e1f1"},
        {"4k3/4r3/8/8/8/8/4B3/4K3 w - -", "e1d1"},
        {"r3k2r/8/8/8/8/8/8/R3K2R b KQkq -", "e8c8"},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w KQkq f6", "e5f6"},
        {"3rr2k/4P3/8/8/8/8/8/K7 w - -", "e7d8n"},
    };
    for (const Case& c : cases) {
        setUpOrFail(c.fen);
        EXPECT_TRUE(isAcceptableOpponentMove(parseCoordinateMove(c.word))) << c.word << " in " << c.fen;
    }
}

TEST(SetSideToMove, SwitchesKeepingKeysAndDropsTheEnPassantSquare) {
    setUpOrFail(START_FEN);
    ASSERT_TRUE(applyGameMove(parseCoordinateMove("e2e4")));
    ASSERT_EQ(position.epSquare, sq("e3"));
    EXPECT_TRUE(setSideToMove(WHITE));
    EXPECT_EQ(position.sideToMove, WHITE);
    EXPECT_EQ(position.epSquare, 0);
    EXPECT_EQ(rootSnapshot.rootEpSquare, 0);
    EXPECT_EQ(rootSnapshot.rootSide, WHITE);
    EXPECT_EQ(validatePosition(), "");
    EXPECT_EQ(position.hashKey, keyByRule(START_FEN, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq -"));
}

TEST(SetSideToMove, RefusedWhenTheWaitingKingWouldBeInCheck) {
    setUpOrFail("4k3/8/8/8/8/8/8/4R1K1 b - -");
    const PositionSnapshot before = takeSnapshot();
    EXPECT_FALSE(setSideToMove(WHITE));
    EXPECT_TRUE(takeSnapshot() == before);
    EXPECT_TRUE(setSideToMove(BLACK));  // already to move: nothing changes
    EXPECT_TRUE(takeSnapshot() == before);
}

TEST(TakeBackGameMoves, RealGamesBackToTheirStartAsIfNeverPlayed) {
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        const PositionSnapshot start = takeSnapshot();
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            lastMoveFromBook = i % 3 == 0;  // the flag each move found is the flag it leaves when taken back
            ASSERT_TRUE(applyGameMove(parseCoordinateMove(game.moves[i].c_str()))) << game.name;
        }
        for (std::size_t i = game.moves.size(); i > 0; --i) {
            const std::string where = game.name + " back to ply " + std::to_string(i - 1);
            ASSERT_TRUE(takeBackGameMoves(1)) << where;
            ASSERT_EQ(currentFen(), game.fens[i - 1]) << where;
            ASSERT_EQ(position.hashKey, keyByRule(game.fens[0], game.fens[i - 1])) << where;
            ASSERT_EQ(validatePosition(), "") << where;
            ASSERT_EQ(lastMoveFromBook, (i - 1) % 3 == 0) << where;
            ASSERT_EQ(rootSnapshot.rootEpSquare, position.epSquare) << where;
        }
        EXPECT_TRUE(takeSnapshot() == start) << game.name;  // the history too
        EXPECT_FALSE(takeBackGameMoves(1)) << game.name;    // nothing before the set-up
    }
}

TEST(TakeBackGameMoves, RefusedWholeWhereTheHistoryNoLongerShowsTheMoves) {
    setUpOrFail(START_FEN);
    for (const char* word : {"e2e4", "e7e5", "g1f3"}) ASSERT_TRUE(applyGameMove(parseCoordinateMove(word)));
    PositionSnapshot before = takeSnapshot();
    EXPECT_FALSE(takeBackGameMoves(4));  // three were made
    EXPECT_TRUE(takeSnapshot() == before);
    ASSERT_TRUE(setSideToMove(WHITE));  // the interface's side switch: the last move no longer leads here
    before = takeSnapshot();
    EXPECT_FALSE(takeBackGameMoves(1));
    EXPECT_TRUE(takeSnapshot() == before);
    // A very long game keeps only its newest history: moves can be taken back that far, no further.
    setUpOrFail(START_FEN);
    const char* shuffle[4] = {"g1f3", "g8f6", "f3g1", "f6g8"};
    for (int ply = 0; ply < GAME_HISTORY_SIZE; ++ply) ASSERT_TRUE(applyGameMove(parseCoordinateMove(shuffle[ply % 4])));
    const long kept = historyTop - gameHistory;
    const HashKey oldest = gameHistory[0].key();
    ASSERT_LT(kept, GAME_HISTORY_SIZE - HISTORY_SEARCH_RESERVE);
    EXPECT_FALSE(takeBackGameMoves(static_cast<int>(kept) + 1));
    EXPECT_TRUE(takeBackGameMoves(static_cast<int>(kept)));
    EXPECT_EQ(position.hashKey, oldest);
    EXPECT_EQ(validatePosition(), "");
}
