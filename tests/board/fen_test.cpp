// Setting up positions from FEN, refusing unsafe ones, writing FEN and diagrams.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "board/validate.h"
#include "board/zobrist.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {
Square sq(const char* n) { return (n[0] - 'a') + 8 * ('8' - n[1]); }
}  // namespace

TEST(ReadFen, InitialPositionCounters) {
    setUpOrFail(START_FEN);
    EXPECT_EQ(position.totalMaterial, 78);
    EXPECT_EQ(position.pieceMaterial[WHITE], 31);
    EXPECT_EQ(position.pieceMaterial[BLACK], 31);
    EXPECT_EQ(position.pawnCount[WHITE], 8);
    EXPECT_EQ(position.pawnCount[BLACK], 8);
    EXPECT_EQ(position.castleRights, 27);
    EXPECT_EQ(position.epSquare, 0);
    EXPECT_EQ(position.sideToMove, WHITE);
    EXPECT_EQ(position.kingSquare[WHITE], sq("e1"));
    EXPECT_EQ(position.kingSquare[BLACK], sq("e8"));
    EXPECT_EQ(position.hashKey, INITIAL_POSITION_KEY);
    EXPECT_EQ(historyTop, gameHistory);
    EXPECT_EQ(gameHistory[0].key(), INITIAL_POSITION_KEY);
    EXPECT_EQ(validatePosition(), "");
    EXPECT_EQ(currentFen(), START_FEN);
}

TEST(ReadFen, RoundTripsEveryPositionOfRealGames) {
    const std::vector<std::string> fens = readDataLines("real_positions.fen");
    ASSERT_GT(fens.size(), 500u);
    std::set<HashKey> keys;
    for (const std::string& fen : fens) {
        ASSERT_TRUE(setUpBoard(fen.c_str())) << fen;
        EXPECT_EQ(currentFen(), fen);
        EXPECT_EQ(validatePosition(), "") << fen;
        keys.insert(position.hashKey ^ (position.sideToMove == WHITE ? 1 : 0));
    }
    // Distinct positions get distinct keys (side to move folded in for the count).
    EXPECT_GT(keys.size(), fens.size() - 5);
}

TEST(ReadFen, ReadsFieldsTheWayFenWritesThem) {
    setUpOrFail("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    EXPECT_EQ(position.epSquare, 44);
    EXPECT_EQ(position.sideToMove, BLACK);
    EXPECT_EQ(position.hashKey, INITIAL_POSITION_KEY ^ ZOBRIST[WHITE_PAWN][52] ^ ZOBRIST[WHITE_PAWN][36]);
    // Only the square count matters: "44" fills a rank like "8".
    setUpOrFail("4k3/8/8/8/8/8/44/K43 w - -");
    EXPECT_EQ(currentFen(), "4k3/8/8/8/8/8/8/K7 w - -");
}

TEST(ReadFen, RefusesMalformedText) {
    setUpOrFail(START_FEN);
    const PositionSnapshot before = takeSnapshot();
    for (const char* bad : {"", "   ", "rnbqkbnr/pppxpppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR x KQkq -",
                            "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQK",
                            "rnbqkbnr/pppppppp/9/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
                            "rnbqkbnr/pppppppp/0/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
                            "rnbqkbnr/pppp pppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -"}) {
        EXPECT_FALSE(setUpBoard(bad)) << bad;
        EXPECT_TRUE(takeSnapshot() == before) << "a refused set-up changed the position: " << bad;
    }
}

TEST(ReadFen, TextEndingAfterAnyFieldIsReadSafely) {
    // Each prefix of a full FEN is either refused or read without running past its end.
    const std::string full = "r3k2r/8/8/3pP3/8/8/8/R3K2R w KQkq d6 0 1";
    for (std::size_t n = 0; n <= full.size(); ++n) {
        const std::string prefix = full.substr(0, n);
        char* exact = new char[n + 1];  // a heap copy of exactly n + 1 bytes lets ASan see overreads
        std::memcpy(exact, prefix.c_str(), n + 1);
        if (setUpBoard(exact)) {
            EXPECT_EQ(validatePosition(), "") << prefix;
        }
        delete[] exact;
    }
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w KQkq");
    EXPECT_EQ(position.castleRights, 27);
    EXPECT_EQ(position.epSquare, 0);
    // A setboard line ends with its line feed, right after any field.
    setUpOrFail(" r3k2r/8/8/8/8/8/8/R3K2R w -\n");
    setUpOrFail(" r3k2r/8/8/8/8/8/8/R3K2R b Kq\r\n");
    EXPECT_EQ(position.castleRights, CASTLE_WHITE_SHORT | CASTLE_BLACK_LONG);
}

TEST(ReadFen, EnPassantFieldMustFollowADoubleStep) {
    setUpOrFail("4k3/8/8/3pP3/8/8/8/4K3 w - d6");
    EXPECT_EQ(position.epSquare, sq("d6"));
    setUpOrFail("4k3/8/8/8/3pP3/8/8/4K3 b - e3");
    EXPECT_EQ(position.epSquare, sq("e3"));
    for (const char* bad : {
             "4k3/8/8/3pP3/8/8/8/4K3 w - d3",  // wrong rank for White to move
             "4k3/8/8/3pP3/8/8/8/4K3 b - d6",  // Black to move cannot take on d6
             "4k3/8/8/4P3/8/8/8/4K3 w - d6",   // no pawn passed d6
             "4k3/8/3n4/3pP3/8/8/8/4K3 w - d6",  // d6 occupied
             "4k3/8/8/3PP3/8/8/8/4K3 w - d6",  // the pawn on d5 is White's
             "4k3/8/8/3pP3/8/8/8/4K3 w - z9", "4k3/8/8/3pP3/8/8/8/4K3 w - d",
         })
        EXPECT_FALSE(setUpBoard(bad)) << bad;
}

TEST(ReadFen, DropsCastleRightsWithoutKingAndRookAtHome) {
    setUpOrFail("r3k3/8/8/8/8/8/8/4K2R w KQkq -");
    EXPECT_EQ(position.castleRights, CASTLE_WHITE_SHORT | CASTLE_BLACK_LONG);
    EXPECT_EQ(currentFen(), "r3k3/8/8/8/8/8/8/4K2R w Kq -");
    setUpOrFail("r2k3r/8/8/8/8/8/8/R4K1R w KQkq -");
    EXPECT_EQ(position.castleRights, 0);
    // The field is consumed up to its first other character.
    setUpOrFail("r3k2r/8/8/8/8/8/8/R3K2R w Kq -");
    EXPECT_EQ(position.castleRights, CASTLE_WHITE_SHORT | CASTLE_BLACK_LONG);
}

TEST(ReadFen, RefusesPositionsTheEngineCannotPlay) {
    setUpOrFail(START_FEN);
    const PositionSnapshot before = takeSnapshot();
    for (const char* unsafe : {
             "8/8/8/8/8/8/8/8 w - -",                                 // no kings at all
             "4k3/8/8/8/8/8/8/8 w - -",                               // no white king
             "4k3/8/8/8/8/8/8/3KK3 w - -",                            // two white kings
             "4k3/4R3/8/8/8/8/8/4K3 w - -",                           // Black, not to move, in check
             "8/8/8/3kK3/8/8/8/8 w - -",                              // kings side by side
             "4k3/8/8/8/P7/8/PPPPPPPP/4K3 w - -",                     // nine white pawns
             "4k3/8/8/8/8/QQQQQQQQ/PPPPPPPP/4K3 w - -",               // seventeen white pieces
             "3Pk3/8/8/8/8/8/8/4K3 b - -",                            // a pawn on the last rank
             "4k3/8/8/8/8/8/pPPPPPPP/QQQQKQQQ w - -",                 // more pieces than a side can have
             "4k3/8/8/8/8/8/PPPPPPPP/QQ2K3 w - -",                    // two queens with eight pawns
         }) {
        EXPECT_FALSE(setUpBoard(unsafe)) << unsafe;
        EXPECT_TRUE(takeSnapshot() == before) << unsafe;
    }
    // The side to move may be in check, even twice.
    setUpOrFail("4k3/8/8/8/1b6/8/4r3/4K3 w - -");
    setUpOrFail("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - -");  // nine queens: all promoted, no pawns
}

TEST(WriteFen, AfterAMoveTheEnPassantSquareIsShown) {
    setUpOrFail(START_FEN);
    saveUndoInfo(testUndo[0]);
    makeMove(coordinateMove("e2e4"), testUndo[0]);
    EXPECT_EQ(currentFen(), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
}

TEST(PrintBoard, InitialPositionDiagram) {
    setUpOrFail(START_FEN);
    testing::internal::CaptureStdout();
    printBoard(position.board);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "\n8 r n b q k b n r \n7 p p p p p p p p \n6 . . . . . . . . \n5 . . . . . . . . "
              "\n4 . . . . . . . . \n3 . . . . . . . . \n2 P P P P P P P P \n1 R N B Q K B N R "
              "\n\n  A B C D E F G H\n");
}
