// loadBook on book files built by hand: which move each position gets, and the
// files it refuses, without ever leaving the position or the table age changed.
#include <gtest/gtest.h>

#include <random>

#include "book/book.h"
#include "book_helpers.h"
#include "movegen/legal.h"
#include "search/tt.h"
#include "support/board_helpers.h"
#include "support/scratch.h"

namespace {

class LoadBook : public ::testing::Test {
protected:
    void SetUp() override { setUpOrFail(START_FEN); }

    // Loads bytes as a book with the pick fixed to line `chosen` of lineCount,
    // and checks that the load leaves everything but the table as it found it.
    bool load(const std::string& bytes, long chosen = 1, long lineCount = 1) {
        return loadSeeded(bytes, seedPicking(chosen, lineCount));
    }
    bool loadSeeded(const std::string& bytes, std::uint32_t seed) {
        writeFile(path, bytes);
        fixNextBookSeed(seed);
        const PositionSnapshot before = takeSnapshot();
        const bool loaded = loadBook(path.c_str());
        EXPECT_TRUE(takeSnapshot() == before) << "the load changed the position";
        EXPECT_EQ(hashAge, 1);
        return loaded;
    }
    // The book move after playing moves from the initial position.
    static Move bookMoveAfter(const std::vector<Move>& moves) {
        playOnRecords(moves);
        const Move move = bookMoveHere();
        takeBackFromRecords(moves);
        return move;
    }

    TempDir dir;
    std::string path = dir.file("Zorvak.book");
};

}  // namespace

TEST_F(LoadBook, OneLineGivesEachOfItsPositionsItsMove) {
    // e2e4 = 0x0D24 and e7e5 = 0x031C, little-endian after the count byte.
    ASSERT_EQ(bookFile("1\n", {{E2E4, E7E5}}), std::string("1\n\x02\x24\x0D\x1C\x03", 7));
    EXPECT_TRUE(load(bookFile("1\n", {{E2E4, E7E5}})));
    EXPECT_EQ(bookMoveAfter({}), E2E4);
    EXPECT_EQ(bookMoveAfter({E2E4}), E7E5);
    EXPECT_EQ(bookMoveAfter({E2E4, E7E5}), 0);
    EXPECT_EQ(bookMoveAfter({D2D4}), 0);
}

TEST_F(LoadBook, TheCountLineMayCarryBlanksAndTextBeforeItsLineFeed) {
    EXPECT_TRUE(load(bookFile("  \t 2 lines of the test book\r\n", {{E2E4}, {D2D4}}), 1, 2));
    EXPECT_EQ(bookMoveAfter({}), D2D4);  // the chosen line, written last
}

TEST_F(LoadBook, SharedPositionsTakeTheChosenLineElseTheLastInFileOrder) {
    // Lines are numbered down from the first: e4 e5 Nf3 is 3, e4 c5 is 2, d4 d5 is 1.
    const std::string bytes = bookFile("3\n", {{E2E4, E7E5, G1F3}, {E2E4, C7C5}, {D2D4, D7D5}});
    ASSERT_TRUE(load(bytes, 1, 3));
    EXPECT_EQ(bookMoveAfter({}), D2D4);      // the chosen line passes the start
    EXPECT_EQ(bookMoveAfter({E2E4}), C7C5);  // it does not pass here: the last line that does
    ASSERT_TRUE(load(bytes, 3, 3));
    EXPECT_EQ(bookMoveAfter({}), E2E4);
    EXPECT_EQ(bookMoveAfter({E2E4}), E7E5);  // the chosen line wins over the later e4 c5
    EXPECT_EQ(bookMoveAfter({E2E4, E7E5}), G1F3);
    ASSERT_TRUE(load(bytes, 2, 3));
    EXPECT_EQ(bookMoveAfter({E2E4}), C7C5);
    EXPECT_EQ(bookMoveAfter({D2D4}), D7D5);
}

TEST_F(LoadBook, FewerOrMoreLinesThanCountedFailButTheStoredLinesStay) {
    for (long chosen = 1; chosen <= 3; ++chosen) {
        setUpOrFail(START_FEN);
        EXPECT_FALSE(load(bookFile("3\n", {{E2E4, E7E5}, {D2D4, D7D5}}), chosen, 3)) << chosen;
        EXPECT_EQ(bookMoveAfter({E2E4}), E7E5) << chosen;
        EXPECT_EQ(bookMoveAfter({D2D4}), D7D5) << chosen;
    }
    setUpOrFail(START_FEN);
    EXPECT_FALSE(load(bookFile("1\n", {{E2E4, E7E5}, {D2D4, D7D5}})));
    EXPECT_EQ(bookMoveAfter({D2D4}), D7D5);
}

TEST_F(LoadBook, AnUnplayableLineStopsTheLoadAndKeepsTheLinesBeforeIt) {
    // Line 3 is good, line 2 has an illegal second move, line 1 is never reached.
    const std::string bytes = bookFile("3\n", {{E2E4, E7E5}, {D2D4, E4E5}, {G1F3, G8F6}});
    EXPECT_FALSE(load(bytes, 1, 3));  // load() checks the position is the initial one again
    EXPECT_EQ(bookMoveAfter({E2E4}), E7E5);
    EXPECT_EQ(bookMoveAfter({}), E2E4);
    EXPECT_EQ(bookMoveAfter({G1F3}), 0);
}

TEST_F(LoadBook, AMoveMustCarryTheKindTheGeneratorGivesIt) {
    EXPECT_TRUE(load(bookFile("1\n", {{E2E4, D7D5, E4D5_CAPTURE}})));
    EXPECT_EQ(bookMoveAfter({E2E4, D7D5}), E4D5_CAPTURE);
    setUpOrFail(START_FEN);
    EXPECT_FALSE(load(bookFile("1\n", {{E2E4, D7D5, E4D5_AS_QUIET}})));
    EXPECT_EQ(bookMoveAfter({}), 0);
}

TEST_F(LoadBook, OnlyTheInitialPositionLoadsABook) {
    writeFile(path, bookFile("1\n", {{E2E4, E7E5}}));
    setUpOrFail("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -");
    EXPECT_FALSE(loadBook(path.c_str()));
    EXPECT_EQ(bookMoveHere(), 0);
    // The initial placement with other rights has the initial key: the book loads.
    setUpOrFail("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w - -");
    EXPECT_TRUE(loadBook(path.c_str()));
}

TEST_F(LoadBook, AnEmptyChosenLineOrABadCountFails) {
    EXPECT_FALSE(load(bookFile("2\n", {{E2E4}, {}}), 1, 2));
    EXPECT_EQ(bookMoveAfter({}), E2E4);  // stored before the empty chosen line was found empty
    for (const char* countLine : {"", "\n", "0\n", "-1\n", "x1\n", "99999999999999999999999\n", "1"}) {
        setUpOrFail(START_FEN);
        EXPECT_FALSE(load(bookFile(countLine, {{E2E4}}))) << countLine;
        EXPECT_EQ(bookMoveAfter({}), 0) << countLine;
    }
    EXPECT_FALSE(loadBook(dir.file("missing.book").c_str()));
}

TEST_F(LoadBook, ARecordLongerThanTheBuffersIsRefused) {
    std::vector<Move> shuffle;  // knights out and back: 64 legal moves
    const Move B1C3 = (57 << 6) | 42, C3B1 = (42 << 6) | 57, B8C6_BACK = (18 << 6) | 1;
    while (shuffle.size() < 64) shuffle.insert(shuffle.end(), {B1C3, B8C6, C3B1, B8C6_BACK});
    EXPECT_TRUE(load(bookFile("1\n", {shuffle})));
    std::vector<Move> tooLong = shuffle;
    tooLong.push_back(B1C3);
    setUpOrFail(START_FEN);
    EXPECT_FALSE(load(bookFile("2\n", {{E2E4}, tooLong}), 1, 2));
    EXPECT_EQ(bookMoveAfter({}), E2E4);  // stored before the long record
    setUpOrFail(START_FEN);
    // A count byte of 255 with only a few moves behind it.
    EXPECT_FALSE(load("1\n" + bookRecordWithCount(255, {E2E4, E7E5})));
}

TEST_F(LoadBook, TruncatedRecordsAndHugeCountsEndAtTheEndOfTheFile) {
    const std::string good = bookRecord({E2E4, E7E5});
    EXPECT_FALSE(load("2\n" + good + bookRecordWithCount(3, {D2D4}), 1, 2));
    EXPECT_EQ(bookMoveAfter({}), E2E4);
    setUpOrFail(START_FEN);
    EXPECT_FALSE(load("2\n" + good + std::string(1, '\x01') + '\xE3', 2, 2));
    EXPECT_EQ(bookMoveAfter({}), E2E4);  // the chosen line is still stored
    // Chosen or not, the one line of a file that promises two billion is stored.
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        setUpOrFail(START_FEN);
        EXPECT_FALSE(loadSeeded("2000000000\n" + good, seed));
        EXPECT_EQ(bookMoveAfter({E2E4}), E7E5);
    }
}

TEST_F(LoadBook, RandomBytesNeverCorruptThePosition) {
    std::mt19937 random(61);
    for (int round = 0; round < 300; ++round) {
        std::string bytes = std::to_string(1 + random() % 5) + "\n" + bookRecord({E2E4, E7E5});
        const std::size_t extra = random() % 200;
        for (std::size_t i = 0; i < extra; ++i) bytes += static_cast<char>(random() & 0xFF);
        setUpOrFail(START_FEN);
        loadSeeded(bytes, random());  // checks the position and the age
        const Move here = bookMoveHere();
        EXPECT_TRUE(here == 0 || isLegalMove(here)) << round;
    }
}

TEST(BookPick, EveryLineCanBeChosenAndNoOtherNumber) {
    std::vector<int> seen(6, 0);
    for (std::uint32_t seed = 0; seed < 600; ++seed) {
        const long pick = pickBookLine(seed, 5);
        ASSERT_GE(pick, 1);
        ASSERT_LE(pick, 5);
        ++seen[pick];
    }
    for (int line = 1; line <= 5; ++line) EXPECT_GT(seen[line], 60) << line;
    EXPECT_EQ(pickBookLine(7, 1), 1);
}
