// GAME records: the exact bytes written, each way a record can end (whole, cut
// short, broken), and the index of games already stored, which tells games apart by
// result and every move.
#include <gtest/gtest.h>

#include <sstream>

#include "records/gamefile.h"
#include "records/records_support.h"

namespace {

// 1. e4 e5 2. Nf3 won by White, worked out by hand: e2 = 52, e4 = 36, e7 = 12, e5 = 28, g1 = 62, f3 = 45.
constexpr std::uint16_t E2E4 = 52 << 6 | 36, E7E5 = 12 << 6 | 28, G1F3 = 62 << 6 | 45;
constexpr std::uint16_t WHITE_WINS_3 = 3 | 2 << 14;

GameRecord makeRecord(std::uint16_t header, std::initializer_list<Move> moves) {
    GameRecord record{};
    record.header = header;
    int i = 0;
    for (Move m : moves) record.moves[i++] = m;
    return record;
}

// How reading the first record of bytes ends: "record", "end", "cut N" (N bytes
// taken) or the message of the error raised.
std::string firstRead(const std::string& bytes) {
    std::istringstream in(bytes);
    GameRecord record{};
    std::size_t taken = 0;
    try {
        const RecordRead read = readRecord(record, in, taken);
        if (read == RecordRead::CUT) return "cut " + std::to_string(taken);
        return read == RecordRead::END ? "end" : "record";
    } catch (const RecordError& error) {
        return error.what();
    }
}

}  // namespace

TEST(GameFile, RecordBytesAreLittleEndianHeaderThenMoves) {
    std::ostringstream out;
    writeGameRecord(makeRecord(WHITE_WINS_3, {E2E4, E7E5, G1F3}), out);
    EXPECT_EQ(out.str(), "\x03\x80\x24\x0D\x1C\x03\xAD\x0F");
    EXPECT_EQ(out.str(), gameBytes({WHITE_WINS_3, E2E4, E7E5, G1F3}));
}

TEST(GameFile, EachWayARecordCanEnd) {
    const std::pair<std::string, std::string> cases[] = {
        {gameBytes({WHITE_WINS_3, E2E4, E7E5, G1F3}), "record"},
        {"", "end"},
        {"\x03", "cut 1"},
        {gameBytes({WHITE_WINS_3, E2E4, E7E5}), "cut 6"},
        {gameBytes({WHITE_WINS_3, E2E4, E7E5}) + "\x03", "cut 7"},
        {gameBytes({3, E2E4, E7E5, G1F3}), "WRONG RESULT"},
        {gameBytes({1024 | 2 << 14}) + std::string(2048, '\x01'), "GAME RECORD TOO LONG"},
        {gameBytes({0x3FFF | 2 << 14}), "GAME RECORD TOO LONG"},
        {gameBytes({WHITE_WINS_3, E2E4, 0, G1F3}), "NOT A MOVE IN GAME FILE"},
        {gameBytes({WHITE_WINS_3, E2E4, NULL_MOVE, G1F3}), "NOT A MOVE IN GAME FILE"},
    };
    for (const auto& [bytes, outcome] : cases) EXPECT_EQ(firstRead(bytes), outcome) << outcome;
}

TEST(GameFile, IndexFindsExactlyTheGamesAdded) {
    GameIndex index;
    const GameRecord game = makeRecord(WHITE_WINS_3, {E2E4, E7E5, G1F3});
    const GameRecord prefix = makeRecord(2 | 2 << 14, {E2E4, E7E5});
    const GameRecord empty = makeRecord(2 << 14, {});
    EXPECT_FALSE(isDuplicateGame(game, index));
    index.add(prefix);
    EXPECT_FALSE(isDuplicateGame(game, index));
    EXPECT_TRUE(isDuplicateGame(prefix, index));
    index.add(game);
    EXPECT_TRUE(isDuplicateGame(game, index));
    EXPECT_FALSE(isDuplicateGame(makeRecord(WHITE_WINS_3, {E2E4, E7E5, E2E4}), index));
    EXPECT_FALSE(isDuplicateGame(empty, index));
    index.add(empty);
    EXPECT_TRUE(isDuplicateGame(empty, index));
    EXPECT_EQ(index.size(), 3u);
}
