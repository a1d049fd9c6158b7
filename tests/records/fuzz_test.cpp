// The readers on random cuts, byte flips and splices of the real collections and of
// GAME files made from them: no crash (the sanitizer builds watch memory), no hang
// (every game read takes input), no move left made, and whatever reaches a GAME
// record is whole, decided and legal. Every run of the test takes new mutations:
// run it longer with --gtest_repeat=N.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "records/gamefile.h"
#include "records/pgnreader.h"
#include "records/recordtext.h"
#include "records/records_support.h"
#include "records/replay.h"
#include "support/board_helpers.h"

namespace {

constexpr int MUTATIONS_PER_RUN = 150;

std::vector<std::string> collectionTexts() {
    std::vector<std::string> texts;
    for (const std::string& name : collectionNames()) texts.push_back(readFile(collectionPath(name + ".pgn")));
    return texts;
}

// A cut, a few flipped bytes, a stretch dropped or repeated: what broken disks,
// transfers and editors do to files.
std::string mutated(const std::string& bytes, std::mt19937& random) {
    std::string text = bytes;
    const auto at = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size)(random); };
    switch (random() % 4) {
        case 0: text.resize(at(text.size())); break;
        case 1:
            for (int flips = 1 + random() % 8; flips > 0 && !text.empty(); --flips)
                text[at(text.size() - 1)] ^= static_cast<char>(1 + random() % 255);
            break;
        case 2: {
            const std::size_t from = at(text.size());
            text.erase(from, at(text.size() - from) % 200);
            break;
        }
        default: {
            const std::size_t from = at(text.size());
            text.insert(at(text.size()), text.substr(from, at(text.size() - from) % 200));
        }
    }
    return text;
}

std::size_t offset(std::istream& in) {
    return static_cast<std::size_t>(in.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in));
}

// Every game of the text that the reader takes, as GAME records.
std::string readAll(Position& board, const std::string& text, const PositionSnapshot& initial) {
    std::istringstream in(text);
    GameRecord record{};
    std::string records;
    while (pgnInputLeft(in)) {
        const std::size_t before = offset(in);
        try {
            if (readPgnGame(board, record, in)) appendGameRecord(record, records);
        } catch (const RecordError&) {
            skipToNextGame(in);
        }
        EXPECT_TRUE(in.eof() || offset(in) > before) << "a game read took no input";
        EXPECT_TRUE(takeSnapshot(board) == initial) << "a move was left made";
        if (::testing::Test::HasFailure()) break;
    }
    return records;
}

// Reads the records of a GAME file and writes them as text; counts the records taken.
int replayAll(Position& board, const std::string& bytes, const PositionSnapshot& initial, bool mustBeLegal) {
    std::istringstream in(bytes);
    GameRecord record{};
    std::string text;
    int taken = 0;
    try {
        std::size_t size = 0;
        while (readRecord(record, in, size) == RecordRead::RECORD) {
            EXPECT_NE(resultOf(record), 0);
            try {
                appendPgnGame(board, record, text);
                appendPositionLines(board, record, text);
                ++taken;
            } catch (const RecordError& refused) {
                EXPECT_FALSE(mustBeLegal) << refused.what();
            }
            EXPECT_TRUE(takeSnapshot(board) == initial) << "a move was left made";
        }
    } catch (const RecordError& broken) {
        EXPECT_FALSE(mustBeLegal) << broken.what();
    }
    return taken;
}

int run = 0;

}  // namespace

TEST(RecordsFuzz, MutatedPgnAndGameFiles) {
    std::mt19937 random(20240607u + run++);
    const std::vector<std::string> texts = collectionTexts();
    ReplayBoard replay;
    Position& board = replay.position();
    const PositionSnapshot initial = takeSnapshot(board);
    std::vector<std::string> gameFiles;
    for (const std::string& text : texts) gameFiles.push_back(readAll(board, text, initial));
    for (int i = 0; i < MUTATIONS_PER_RUN && !HasFailure(); ++i) {
        const std::size_t pick = random() % texts.size();
        const std::string records = readAll(board, mutated(texts[pick], random), initial);
        std::size_t size = 0;
        std::istringstream whole(records);
        GameRecord record{};
        int count = 0;
        while (readRecord(record, whole, size) == RecordRead::RECORD) ++count;
        EXPECT_TRUE(whole.eof()) << "a record written from a mutated file is whole";
        EXPECT_EQ(replayAll(board, records, initial, true), count) << "and legal";
        replayAll(board, mutated(gameFiles[pick], random), initial, false);
    }
}
