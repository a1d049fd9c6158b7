// The principal variation read back from the table as text.
#include <gtest/gtest.h>

#include <cstring>

#include "board/validate.h"
#include "search/pv.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// Stores each move of the line as the search's result for its position, then the
// final code (a verdict) for the position the line ends in, if any.
void storeAsSearchResults(const std::vector<std::string>& words, Move finalCode = 0) {
    std::vector<Move> moves;
    for (const std::string& word : words) {
        moves.push_back(coordinateMove(word));
        engineTable().store(gamePosition, 5, BOUND_EXACT, 0, moves.back());
        saveUndoInfo(gamePosition, testUndo[moves.size()]);
        makeMove(gamePosition, moves.back(), testUndo[moves.size()]);
    }
    if (finalCode) engineTable().store(gamePosition, 3, BOUND_EXACT, 0, finalCode);
    for (std::size_t i = moves.size(); i > 0; --i) unmakeMove(gamePosition, moves[i - 1], testUndo[i]);
}

// The text of up to maxMoves moves; the position and the history must be left as they were.
std::string pvText(int maxMoves) {
    const PositionSnapshot before = takeSnapshot();
    char buffer[PV_BUFFER_SIZE];
    std::memset(buffer, 'x', sizeof buffer);
    pvToText(gamePosition, engineTable(), buffer, maxMoves);
    EXPECT_TRUE(takeSnapshot() == before && validatePosition(gamePosition).empty()) << "the text changed the position";
    return buffer;
}

std::string joined(const std::vector<std::string>& words, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += words[i] + " ";
    return text;
}

}  // namespace

TEST(PvText, RealGamesReadBackAsTheirOwnMovesCutAtTheCount) {
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        EXPECT_EQ(pvText(4), "NOE ");
        storeAsSearchResults(game.moves);
        const std::size_t n = game.moves.size();
        EXPECT_EQ(pvText(static_cast<int>(n)), joined(game.moves, n)) << game.name;
        EXPECT_EQ(pvText(12), joined(game.moves, 12)) << game.name;
        EXPECT_EQ(pvText(0), "");
    }
    setUpOrFail(START_FEN);
    storeAsSearchResults({"e2e4", "e7e5", "g1f3"});
    EXPECT_EQ(pvText(5), "e2e4 e7e5 g1f3 NOE ");
}

TEST(PvText, VerdictCodesEndTheTextWithTheirWords) {
    setUpOrFail(START_FEN);
    storeAsSearchResults({"f2f3", "e7e5", "g2g4", "d8h4"}, VERDICT_MATED);  // fool's mate
    EXPECT_EQ(pvText(10), "f2f3 e7e5 g2g4 d8h4 # ");
    const std::pair<Move, const char*> cases[] = {
        {VERDICT_STALEMATE, "1/2 - 1/2 (stalemate)"}, {VERDICT_REPETITION, "1/2 - 1/2 (repetition)"},
        {NULL_MOVE, "NULL"}, {VERDICT_NO_MOVES, "ERROR"}, {VERDICT_FIFTY_MOVES, "ERROR"}, {0x3FFF, "ERROR"}};
    for (const auto& [code, text] : cases) {
        engineTable().clear();
        engineTable().store(gamePosition, 1, BOUND_EXACT, 0, code);
        EXPECT_EQ(pvText(3), text) << std::hex << code;
    }
}

// Entries as a key-check collision would leave them: moves of other positions end the
// text as a missing entry, never corrupting the position by being played.
TEST(PvText, AMoveThatIsNotLegalHereEndsTheText) {
    const std::pair<const char*, Move> cases[] = {
        {START_FEN, makeMoveCode(squareOf("e7"), squareOf("e5"), KIND_QUIET)},    // Black's move, White to move
        {START_FEN, makeMoveCode(squareOf("e2"), squareOf("e4"), KIND_CAPTURE)},  // right squares, wrong kind
        {START_FEN, makeMoveCode(SQ_E1, SQ_G1, KIND_CASTLE_WHITE_SHORT)},         // castling through pieces
        // Black is in check from b5: a7a6 is generated but leaves the king attacked.
        {"rnbqkbnr/ppp1pppp/3p4/1B6/4P3/8/PPPP1PPP/RNBQK1NR b KQkq -", makeMoveCode(squareOf("a7"), squareOf("a6"), 0)},
        // The f7 pawn is pinned by the queen on h5.
        {"rnbqkbnr/pppp1ppp/8/4p2Q/4P3/8/PPPP1PPP/RNB1KBNR b KQkq -", makeMoveCode(squareOf("f7"), squareOf("f6"), 0)},
    };
    for (const auto& [fen, move] : cases) {
        setUpOrFail(fen);
        engineTable().store(gamePosition, 4, BOUND_EXACT, 0, move);
        EXPECT_EQ(pvText(4), "NOE ") << fen << " " << std::hex << move;
    }
    // After a legal first move, the second entry holds White's move with Black to move.
    setUpOrFail(START_FEN);
    storeAsSearchResults({"d2d4"}, makeMoveCode(squareOf("e2"), squareOf("e4"), KIND_QUIET));
    EXPECT_EQ(pvText(4), "d2d4 NOE ");
}

TEST(PvText, NeverRunsPastTheDeepestSearch) {
    setUpOrFail(START_FEN);
    storeAsSearchResults({"g1f3", "g8f6", "f3g1", "f6g8"});  // a cycle of table moves
    const std::string text = pvText(100000);
    EXPECT_EQ(text.substr(0, 20), "g1f3 g8f6 f3g1 f6g8 ");
    EXPECT_LT(text.size(), static_cast<std::size_t>(PV_BUFFER_SIZE));
}
