// storeLine: a line's moves written into the table as book entries, or refused whole.
#include <gtest/gtest.h>

#include "book/book.h"
#include "book_helpers.h"
#include "search/tt.h"
#include "search/searchthread.h"
#include "support/board_helpers.h"

namespace {

bool tableIsEmpty() { return engineTable().isEmpty(); }

// Stores the line; the position must be left as it was.
bool store(const std::vector<Move>& line) {
    const PositionSnapshot before = takeSnapshot();
    const bool stored = storeLine(gamePosition, engineTable(), line.data(), static_cast<int>(line.size()));
    EXPECT_TRUE(takeSnapshot() == before) << "storing a line changed the position";
    return stored;
}

}  // namespace

TEST(StoreLine, ALineWithAnyMoveThatIsNotLegalWhereItIsPlayedIsRefusedWhole) {
    setUpOrFail(START_FEN);
    const std::vector<Move> prefix = lineMoves({"e2e4", "d7d6", "f1b5"});  // 2. Bb5+
    const std::pair<const char*, Move> cases[] = {
        {"in check, a7a6 ignores it", makeMoveCode(squareOf("a7"), squareOf("a6"), KIND_QUIET)},
        {"a move of the wrong side", makeMoveCode(squareOf("a2"), squareOf("a3"), KIND_QUIET)},
        {"the block c7c6 coded as a capture", makeMoveCode(squareOf("c7"), squareOf("c6"), KIND_CAPTURE)},
        {"a verdict code", VERDICT_MATED},
        {"no move", 0},
    };
    for (const auto& [what, bad] : cases) {
        std::vector<Move> line = prefix;
        line.push_back(bad);
        line.push_back(lineMoves({"g1f3"})[0]);
        EXPECT_FALSE(store(line)) << what;
        EXPECT_TRUE(tableIsEmpty()) << what;
    }
    // A pinned piece: 1. e4 e5 2. Qh5 f6 would expose the black king.
    std::vector<Move> pinned = lineMoves({"e2e4", "e7e5", "d1h5"});
    pinned.push_back(makeMoveCode(squareOf("f7"), squareOf("f6"), KIND_QUIET));
    EXPECT_FALSE(store(pinned));
    // Knights out and back: every move legal, but longer than a book line holds.
    std::vector<Move> shuffle;
    for (int i = 0; i < 50; ++i) for (Move m : lineMoves({"g1f3", "g8f6", "f3g1", "f6g8"})) shuffle.push_back(m);
    EXPECT_FALSE(store(shuffle));
    EXPECT_TRUE(tableIsEmpty());
    shuffle.resize(BOOK_LINE_MAX_MOVES);
    EXPECT_TRUE(store(shuffle));
    EXPECT_TRUE(store({}));
}
