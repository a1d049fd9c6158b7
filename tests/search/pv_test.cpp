#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "board/validate.h"
#include "book/book.h"
#include "search/pv.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

Square sq(const char* name) { return (name[0] - 'a') + 8 * ('8' - name[1]); }
Move quiet(const char* from, const char* to) { return makeMoveCode(sq(from), sq(to), KIND_QUIET); }

// Everything pvToText and storeLine promise to leave alone.
struct Untouched {
    PositionSnapshot snapshot = takeSnapshot();
    bool stillHolds() const { return takeSnapshot() == snapshot && validatePosition().empty(); }
};

// Moves of a coordinate line, each resolved in the position it is played from;
// the position is back where it started afterwards.
std::vector<Move> lineMoves(const std::vector<std::string>& words) {
    std::vector<Move> moves;
    for (const std::string& word : words) {
        moves.push_back(coordinateMove(word));
        saveUndoInfo(testUndo[moves.size()]);
        makeMove(moves.back(), testUndo[moves.size()]);
    }
    for (std::size_t i = moves.size(); i > 0; --i) unmakeMove(moves[i - 1], testUndo[i]);
    return moves;
}

// Stores each move of the line as the search's result for its position.
void storeAsSearchResults(const std::vector<std::string>& words) {
    const std::vector<Move> moves = lineMoves(words);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        storeTable(5, BOUND_EXACT, 0, moves[i]);
        saveUndoInfo(testUndo[i + 1]);
        makeMove(moves[i], testUndo[i + 1]);
    }
    for (std::size_t i = moves.size(); i > 0; --i) unmakeMove(moves[i - 1], testUndo[i]);
}

std::string pvText(int maxMoves) {
    char buffer[PV_BUFFER_SIZE];
    std::memset(buffer, 'x', sizeof buffer);
    pvToText(buffer, maxMoves);
    return buffer;
}

std::string joined(const std::vector<std::string>& words, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += words[i] + " ";
    return text;
}

class PvTest : public ::testing::Test {
protected:
    void SetUp() override {
        setUpOrFail(START_FEN);
    }
    void TearDown() override { setUpOrFail(START_FEN); }
};

TEST_F(PvTest, VariationIsReadBackMoveByMoveAndCutAtTheCount) {
    storeAsSearchResults({"e2e4", "e7e5", "g1f3"});
    const Untouched before;
    EXPECT_EQ(pvText(3), "e2e4 e7e5 g1f3 ");
    EXPECT_EQ(pvText(2), "e2e4 e7e5 ");
    EXPECT_EQ(pvText(5), "e2e4 e7e5 g1f3 NOE ");
    EXPECT_EQ(pvText(0), "");
    EXPECT_TRUE(before.stillHolds());
}

TEST_F(PvTest, WithoutAnEntryTheTextIsNoe) {
    const Untouched before;
    EXPECT_EQ(pvText(4), "NOE ");
    EXPECT_TRUE(before.stillHolds());
}

TEST_F(PvTest, CastlingAndPromotionAreWrittenInCoordinates) {
    setUpOrFail("r3k2r/6P1/8/8/8/8/8/R3K2R w KQkq -");
    storeAsSearchResults({"e1g1", "e8c8", "g7g8n"});
    EXPECT_EQ(pvText(3), "e1g1 e8c8 g7g8n ");
}

TEST_F(PvTest, VerdictCodesEndTheTextWithTheirWords) {
    // Fool's mate: 1. f3 e5 2. g4 Qh4#, the mated side's entry holds VERDICT_MATED.
    const std::vector<std::string> line = {"f2f3", "e7e5", "g2g4", "d8h4"};
    storeAsSearchResults(line);
    const std::vector<Move> moves = lineMoves(line);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        saveUndoInfo(testUndo[10 + i]);
        makeMove(moves[i], testUndo[10 + i]);
    }
    storeTable(3, BOUND_EXACT, -8100, VERDICT_MATED);
    for (std::size_t i = moves.size(); i > 0; --i) unmakeMove(moves[i - 1], testUndo[9 + i]);
    EXPECT_EQ(pvText(10), "f2f3 e7e5 g2g4 d8h4 # ");

    struct Case {
        Move code;
        const char* text;
    };
    const Case cases[] = {
        {VERDICT_MATED, "# "},
        {VERDICT_STALEMATE, "1/2 - 1/2 (stalemate)"},
        {VERDICT_REPETITION, "1/2 - 1/2 (repetition)"},
        {NULL_MOVE, "NULL"},
        {VERDICT_NO_MOVES, "ERROR"},
        {VERDICT_FIFTY_MOVES, "ERROR"},
        {VERDICT_NO_MATERIAL, "ERROR"},
        {0x3FFF, "ERROR"},
    };
    for (const Case& c : cases) {
        clearTranspositionTable();
        storeTable(1, BOUND_EXACT, 0, c.code);
        const Untouched before;
        EXPECT_EQ(pvText(3), c.text) << std::hex << c.code;
        EXPECT_TRUE(before.stillHolds());
    }
}

TEST_F(PvTest, AMoveThatIsNotLegalHereEndsTheTextAsAMissingEntry) {
    // Entries as a key-check collision would leave them: moves of other positions.
    struct Case {
        const char* fen;
        Move move;
    };
    const Case cases[] = {
        {START_FEN, quiet("e7", "e5")},                                         // Black's move, White to move
        {START_FEN, makeMoveCode(sq("e2"), sq("e4"), KIND_CAPTURE)},             // right squares, wrong kind
        {START_FEN, makeMoveCode(sq("e1"), sq("g1"), KIND_CASTLE_WHITE_SHORT)},  // castling through pieces
        {START_FEN, 0},
        // Black is in check from b5: a7a6 is generated but leaves the king attacked.
        {"rnbqkbnr/ppp1pppp/3p4/1B6/4P3/8/PPPP1PPP/RNBQK1NR b KQkq -", quiet("a7", "a6")},
        // The f7 pawn is pinned by the queen on h5.
        {"rnbqkbnr/pppp1ppp/8/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq -", quiet("f7", "f6")},
    };
    for (const Case& c : cases) {
        setUpOrFail(c.fen);
        storeTable(4, BOUND_EXACT, 0, c.move);
        const Untouched before;
        EXPECT_EQ(pvText(4), "NOE ") << c.fen << " " << std::hex << c.move;
        EXPECT_TRUE(before.stillHolds()) << c.fen;
    }

    // The same after a legal first move: the second entry holds White's move with Black to move.
    setUpOrFail(START_FEN);
    storeAsSearchResults({"d2d4"});
    saveUndoInfo(testUndo[20]);
    makeMove(quiet("d2", "d4"), testUndo[20]);
    storeTable(4, BOUND_EXACT, 0, quiet("e2", "e4"));
    unmakeMove(quiet("d2", "d4"), testUndo[20]);
    const Untouched before;
    EXPECT_EQ(pvText(4), "d2d4 NOE ");
    EXPECT_TRUE(before.stillHolds());
}

TEST_F(PvTest, RealGamesReadBackAsTheirOwnMoves) {
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        storeAsSearchResults(game.moves);
        const Untouched before;
        const std::size_t n = game.moves.size();
        EXPECT_EQ(pvText(static_cast<int>(n)), joined(game.moves, n)) << game.name;
        EXPECT_EQ(pvText(12), joined(game.moves, 12)) << game.name;
        EXPECT_TRUE(before.stillHolds()) << game.name;
    }
}

TEST_F(PvTest, TheVariationNeverRunsPastTheDeepestSearch) {
    // A cycle of table moves (knights out and back) read with a huge count.
    storeAsSearchResults({"g1f3", "g8f6", "f3g1", "f6g8"});
    const Untouched before;
    const std::string text = pvText(100000);
    EXPECT_EQ(text.substr(0, 20), "g1f3 g8f6 f3g1 f6g8 ");
    EXPECT_LT(text.size(), static_cast<std::size_t>(PV_BUFFER_SIZE));
    EXPECT_TRUE(before.stillHolds());
}

// ---- storeLine --------------------------------------------------------------------

class StoreLineTest : public PvTest {
protected:
    // The book move of the position after the first `plies` moves of the line.
    static Move bookMoveAfter(const std::vector<Move>& line, std::size_t plies) {
        for (std::size_t i = 0; i < plies; ++i) {
            saveUndoInfo(testUndo[40 + i]);
            makeMove(line[i], testUndo[40 + i]);
        }
        const HashEntry* entry = probeTable();
        const Move move = entry && isBookEntry(*entry) ? entryMove(*entry) : 0;
        for (std::size_t i = plies; i > 0; --i) unmakeMove(line[i - 1], testUndo[39 + i]);
        return move;
    }
    static bool tableIsEmpty() {
        for (const auto& bucket : transpositionTable)
            for (const HashEntry& e : bucket)
                if (e.word0 | e.word1 | e.word2) return false;
        return true;
    }
};

TEST_F(StoreLineTest, EveryPositionOfTheLineGetsItsMoveAsABookEntry) {
    const std::vector<Move> ruyLopez = lineMoves({"e2e4", "e7e5", "g1f3", "b8c6", "f1b5", "a7a6", "e1g1"});
    const Untouched before;
    ASSERT_TRUE(storeLine(ruyLopez.data(), static_cast<int>(ruyLopez.size())));
    EXPECT_TRUE(before.stillHolds());
    for (std::size_t i = 0; i < ruyLopez.size(); ++i) EXPECT_EQ(bookMoveAfter(ruyLopez, i), ruyLopez[i]) << i;
    EXPECT_EQ(bookMoveAfter(ruyLopez, ruyLopez.size()), 0);  // the last position gets none
    EXPECT_EQ(pvText(20), "e2e4 e7e5 g1f3 b8c6 f1b5 a7a6 e1g1 NOE ");
}

TEST_F(StoreLineTest, AnEmptyLineWritesNothing) {
    const Untouched before;
    EXPECT_TRUE(storeLine(nullptr, 0));
    EXPECT_TRUE(before.stillHolds());
    EXPECT_TRUE(tableIsEmpty());
}

TEST_F(StoreLineTest, ALaterLineOverwritesTheSharedPositions) {
    const std::vector<Move> open = lineMoves({"e2e4", "e7e5"});
    const std::vector<Move> sicilian = lineMoves({"e2e4", "c7c5"});
    ASSERT_TRUE(storeLine(open.data(), 2));
    ASSERT_TRUE(storeLine(sicilian.data(), 2));
    EXPECT_EQ(bookMoveAfter(sicilian, 0), sicilian[0]);
    EXPECT_EQ(bookMoveAfter(sicilian, 1), sicilian[1]);
}

TEST_F(StoreLineTest, BadLinesAreRefusedAndLeaveEverythingAsItWas) {
    const std::vector<Move> prefix = lineMoves({"e2e4", "d7d6", "f1b5"});  // 2. Bb5+
    struct Case {
        const char* what;
        Move bad;
    };
    const Case cases[] = {
        {"in check, a7a6 ignores it", quiet("a7", "a6")},
        {"a move of the wrong side", quiet("a2", "a3")},
        {"the block c7c6 coded as a capture", makeMoveCode(sq("c7"), sq("c6"), KIND_CAPTURE)},
        {"a verdict code", VERDICT_MATED},
        {"no move", 0},
    };
    for (const Case& c : cases) {
        std::vector<Move> line = prefix;
        line.push_back(c.bad);
        line.push_back(quiet("g1", "f3"));
        const Untouched before;
        EXPECT_FALSE(storeLine(line.data(), static_cast<int>(line.size()))) << c.what;
        EXPECT_TRUE(before.stillHolds()) << c.what;
        EXPECT_TRUE(tableIsEmpty()) << c.what;
    }

    // A pinned piece: 1. e4 e5 2. Qh5 f6 would expose the black king.
    std::vector<Move> pinned = lineMoves({"e2e4", "e7e5", "d1h5"});
    pinned.push_back(quiet("f7", "f6"));
    const Untouched before;
    EXPECT_FALSE(storeLine(pinned.data(), 4));
    EXPECT_TRUE(before.stillHolds());
    EXPECT_TRUE(tableIsEmpty());

    // The same line with the legal block is accepted.
    std::vector<Move> blocked = prefix;
    blocked.push_back(quiet("c7", "c6"));
    blocked.push_back(quiet("g1", "f3"));
    EXPECT_TRUE(storeLine(blocked.data(), 5));
    EXPECT_TRUE(before.stillHolds());
    EXPECT_EQ(pvText(9), "e2e4 d7d6 f1b5 c7c6 g1f3 NOE ");
}

TEST_F(StoreLineTest, ALineLongerThanABookLineIsRefused) {
    // Knights out and back: every move legal, but 200 plies are more than a book line holds.
    const std::vector<Move> cycle = lineMoves({"g1f3", "g8f6", "f3g1", "f6g8"});
    std::vector<Move> line;
    for (int i = 0; i < 200; ++i) line.push_back(cycle[i % 4]);
    const Untouched before;
    EXPECT_FALSE(storeLine(line.data(), 200));
    EXPECT_TRUE(before.stillHolds());
    EXPECT_TRUE(tableIsEmpty());
    EXPECT_TRUE(storeLine(line.data(), 64));  // the book's longest line fits
    EXPECT_TRUE(before.stillHolds());
}

TEST_F(StoreLineTest, RealGameOpeningsAreStoredAndFoundAgain) {
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        const std::size_t n = std::min<std::size_t>(game.moves.size(), 64);
        const std::vector<Move> line = lineMoves(std::vector<std::string>(game.moves.begin(), game.moves.begin() + n));
        const Untouched before;
        ASSERT_TRUE(storeLine(line.data(), static_cast<int>(n))) << game.name;
        EXPECT_TRUE(before.stillHolds()) << game.name;
        EXPECT_EQ(pvText(static_cast<int>(n)), joined(game.moves, n)) << game.name;
    }
}

}  // namespace
