// The converters on real games (expectations from pgn-extract) and on the cases
// that guard their reports, duplicates and errors.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "board/makemove.h"
#include "board/zobrist.h"
#include "records/converters.h"
#include "records/records_support.h"
#include "support/board_helpers.h"

namespace {

std::vector<std::string> fieldsOf(const std::string& line, char separator) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, separator);) fields.push_back(field);
    return fields;
}

std::string resultTagOf(const std::string& pgn) {
    const std::size_t at = pgn.find("[Result \"");
    return at == std::string::npos ? "" : pgn.substr(at + 9, pgn.find('"', at + 9) - at - 9);
}

char resultCodeOf(const std::string& resultText) {
    return resultText == "1-0" ? 'W' : resultText == "0-1" ? 'B' : 'D';
}

// The coordinate moves of one game as game2pgn writes it: numbers and the result dropped.
std::vector<std::string> movetextMoves(const std::string& movetext, const std::string& resultText) {
    std::vector<std::string> moves;
    std::istringstream in(movetext);
    for (std::string word; in >> word;)
        if (word.back() != '.' && word != resultText) moves.push_back(word);
    return moves;
}

// Signed decimal keys of the positions before each move, played from the start.
std::vector<std::string> keysAlong(const std::vector<std::string>& moves) {
    setUpInitialPosition();
    std::vector<std::string> keys;
    for (const std::string& move : moves) {
        keys.push_back(std::to_string(static_cast<std::int64_t>(position.hashKey)));
        makeMove(coordinateMove(move), testUndo[0]);
    }
    setUpInitialPosition();
    return keys;
}

class Converters : public ::testing::Test {
protected:
    void SetUp() override { setUpInitialPosition(); }
    void TearDown() override { EXPECT_TRUE(atInitialPosition()); }

    std::string toGame(const std::string& pgnName, const std::string& gameName, int* written = nullptr) {
        int total = 0;
        const std::string out = capturedOutput([&] { pgn2game(dir.file(pgnName).c_str(), dir.file(gameName).c_str(), total); });
        if (written) *written = total;
        return out;
    }
    std::string toPgn(const std::string& gameName, const std::string& pgnName) {
        return capturedOutput([&] { game2pgn(dir.file(gameName).c_str(), dir.file(pgnName).c_str()); });
    }
    std::string toPositions(const std::string& gameName, const std::string& dbName) {
        return capturedOutput([&] { game2pos(dir.file(gameName).c_str(), dir.file(dbName).c_str()); });
    }
    // pgn2game where an error is expected: its message, or "" when none was raised.
    std::string toGameError(const std::string& pgnName, const std::string& gameName, std::string& out) {
        int total = 0;
        std::string message;
        testing::internal::CaptureStdout();
        try {
            pgn2game(dir.file(pgnName).c_str(), dir.file(gameName).c_str(), total);
        } catch (const RecordError& error) {
            message = error.what();
        }
        out = testing::internal::GetCapturedStdout();
        return message;
    }

    TempDir dir;
};

const std::string FOUR_PLIES = "[Result \"1-0\"]\n1. e4 e5 2. Nf3 Nc6 1-0\n\n";
const std::string THREE_PLIES_BYTES = gameBytes({3 | 2 << 14, 52 << 6 | 36, 12 << 6 | 28, 62 << 6 | 45});

}  // namespace

TEST_F(Converters, RealGamesRoundTripThroughGameFiles) {
    for (const RealGame& game : realGames()) {
        SCOPED_TRACE(game.name);
        writeFile(dir.file(game.name + ".pgn"), game.pgn);
        int written = 0;
        EXPECT_EQ(toGame(game.name + ".pgn", game.name + ".game", &written),
                  "converted: 1 games. (skipped: 0)\nfile: " + dir.file(game.name + ".pgn") + " \t\tfinished\n");
        EXPECT_EQ(written, 1);
        EXPECT_EQ(readFile(dir.file(game.name + ".game")).size(), 2 * (game.moves.size() + 1));
        EXPECT_EQ(toPgn(game.name + ".game", game.name + ".out.pgn"), "OK\nconverted: 1 games.\n");
        const std::vector<std::string> lines = splitLines(readFile(dir.file(game.name + ".out.pgn")));
        const std::string result = resultTagOf(game.pgn);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "[Result \"" + result + "\"]");
        EXPECT_EQ(movetextMoves(lines[1], result), game.moves);
        EXPECT_EQ(lines[1].substr(0, 3), "1. ");
        EXPECT_EQ(lines[1].substr(lines[1].size() - result.size() - 1), " " + result);
    }
}

TEST_F(Converters, PositionLinesOfRealGamesMatchTheirFensAndKeys) {
    for (const RealGame& game : realGames()) {
        SCOPED_TRACE(game.name);
        writeFile(dir.file("game.pgn"), game.pgn);
        toGame("game.pgn", game.name + ".game");
        EXPECT_EQ(toPositions(game.name + ".game", game.name + ".db"), "OK\nconverted: 1 games.\n");
        const std::vector<std::string> lines = splitLines(readFile(dir.file(game.name + ".db")));
        const std::vector<std::string> keys = keysAlong(game.moves);
        const char code = resultCodeOf(resultTagOf(game.pgn));
        ASSERT_EQ(lines.size(), game.moves.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::vector<std::string> fields = fieldsOf(lines[i], '\t');
            ASSERT_EQ(fields.size(), 5u) << lines[i];
            EXPECT_EQ(fields[0], std::to_string(i + 1));
            EXPECT_EQ(fields[1], std::string(1, code));
            EXPECT_EQ(fields[2], game.fens[i]) << "ply " << i + 1;
            EXPECT_EQ(fields[3], game.moves[i]);
            EXPECT_EQ(fields[4], keys[i]);
        }
    }
}

TEST_F(Converters, SeveralRealGamesInOneFile) {
    const std::vector<RealGame> games = realGames();
    std::string all;
    std::size_t plies = 0;
    for (const RealGame& game : games) all += game.pgn + "\n", plies += game.moves.size();
    writeFile(dir.file("all.pgn"), all);
    int written = 0;
    toGame("all.pgn", "all.game", &written);
    EXPECT_EQ(written, static_cast<int>(games.size()));
    toPgn("all.game", "all.out.pgn");
    const std::vector<std::string> lines = splitLines(readFile(dir.file("all.out.pgn")));
    ASSERT_EQ(lines.size(), 2 * games.size());
    for (std::size_t g = 0; g < games.size(); ++g)
        EXPECT_EQ(movetextMoves(lines[2 * g + 1], resultTagOf(games[g].pgn)), games[g].moves) << games[g].name;
    toPositions("all.game", "all.db");
    EXPECT_EQ(splitLines(readFile(dir.file("all.db"))).size(), plies);
}

TEST_F(Converters, SecondRunWritesNothingAndSkipsEveryGame) {
    writeFile(dir.file("two.pgn"), FOUR_PLIES + "[Result \"0-1\"]\n1. f3 e5 2. g4 Qh4# 0-1\n");
    toGame("two.pgn", "out.game");
    const std::string before = readFile(dir.file("out.game"));
    const std::string name = dir.file("two.pgn");
    int written = -1;
    EXPECT_EQ(toGame("two.pgn", "out.game", &written),
              "Warning: game 1 (skipped) file: " + name + "\nWarning: game 2 (skipped) file: " + name +
                  "\nconverted: 0 games. (skipped: 2)\nfile: " + name + " \t\tfinished\n");
    EXPECT_EQ(written, 0);
    EXPECT_EQ(readFile(dir.file("out.game")), before);
}

TEST_F(Converters, RepeatedGameInOneFileIsWrittenOnce) {
    writeFile(dir.file("twice.pgn"), FOUR_PLIES + FOUR_PLIES);
    int written = 0;
    toGame("twice.pgn", "out.game", &written);
    EXPECT_EQ(written, 1);
    EXPECT_EQ(readFile(dir.file("out.game")).size(), 10u);
}

TEST_F(Converters, UnfinishedGameIsSkippedWithAWarning) {
    writeFile(dir.file("mixed.pgn"), FOUR_PLIES + "[Result \"*\"]\n1. d4 d5 *\n");
    EXPECT_EQ(toGame("mixed.pgn", "out.game"), "Warning: game 2 (skipped) file: " + dir.file("mixed.pgn") +
                                                   "\nconverted: 1 games. (skipped: 1)\nfile: " +
                                                   dir.file("mixed.pgn") + " \t\tfinished\n");
    EXPECT_EQ(readFile(dir.file("out.game")).size(), 10u);
}

TEST_F(Converters, ThreePlyGameAsPgnAndAsPositionLines) {
    writeFile(dir.file("three.game"), THREE_PLIES_BYTES);
    toPgn("three.game", "three.pgn");
    EXPECT_EQ(readFile(dir.file("three.pgn")), "[Result \"1-0\"]\n1. e2e4 e7e5 2. g1f3 1-0\n");
    toPositions("three.game", "three.db");
    const std::vector<std::string> lines = splitLines(readFile(dir.file("three.db")));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "1\tW\trnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -\te2e4\t" +
                            std::to_string(static_cast<std::int64_t>(INITIAL_POSITION_KEY)));
    EXPECT_EQ(fieldsOf(lines[1], '\t')[2], "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    EXPECT_EQ(fieldsOf(lines[2], '\t')[2], "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6");
    EXPECT_EQ(fieldsOf(lines[2], '\t')[0] + fieldsOf(lines[2], '\t')[1] + fieldsOf(lines[2], '\t')[3], "3Wg1f3");
}

TEST_F(Converters, OutputFilesAreAppendedTo) {
    writeFile(dir.file("three.game"), THREE_PLIES_BYTES);
    toPgn("three.game", "three.pgn");
    toPgn("three.game", "three.pgn");
    EXPECT_EQ(splitLines(readFile(dir.file("three.pgn"))).size(), 4u);
}

TEST_F(Converters, RecordWithoutResultEndsTheConversionAfterTheGamesBefore) {
    writeFile(dir.file("bad.game"), THREE_PLIES_BYTES + gameBytes({1, 52 << 6 | 36}) + THREE_PLIES_BYTES);
    EXPECT_EQ(toPgn("bad.game", "out.pgn"), "ERROR: WRONG RESULT\nconverted: 1 games.\n");
    EXPECT_EQ(readFile(dir.file("out.pgn")), "[Result \"1-0\"]\n1. e2e4 e7e5 2. g1f3 1-0\n");
    EXPECT_EQ(toPositions("bad.game", "out.db"), "ERROR: WRONG RESULT\nconverted: 1 games.\n");
    EXPECT_EQ(splitLines(readFile(dir.file("out.db"))).size(), 3u);
}

TEST_F(Converters, TruncatedAndOversizedGameFilesAreRefused) {
    writeFile(dir.file("cut.game"), THREE_PLIES_BYTES + THREE_PLIES_BYTES.substr(0, 5));
    EXPECT_EQ(toPgn("cut.game", "out.pgn"), "ERROR: TRUNCATED GAME FILE\nconverted: 1 games.\n");
    writeFile(dir.file("long.game"), gameBytes({1024 | 2 << 14}) + std::string(2048, '\x01'));
    EXPECT_EQ(toPositions("long.game", "out.db"), "ERROR: GAME RECORD TOO LONG\nconverted: 0 games.\n");
    EXPECT_FALSE(fileExists(dir.file("out.db")) && !readFile(dir.file("out.db")).empty());
    // pgn2game must not append behind a broken record, where nothing could find the new ones.
    writeFile(dir.file("game.pgn"), FOUR_PLIES);
    std::string out;
    EXPECT_EQ(toGameError("game.pgn", "cut.game", out), "TRUNCATED GAME FILE");
    EXPECT_EQ(out, "converted: 0 games. (skipped: 0)\nERROR: TRUNCATED GAME FILE file: " + dir.file("game.pgn") + "\n");
    EXPECT_EQ(readFile(dir.file("cut.game")).size(), THREE_PLIES_BYTES.size() + 5);
}

TEST_F(Converters, IllegalMoveInAGameFileWritesNothingOfThatGame) {
    // e2e5 is no move; the second game is refused before any of its lines is written.
    writeFile(dir.file("illegal.game"), THREE_PLIES_BYTES + gameBytes({2 | 2 << 14, 52 << 6 | 36, 52 << 6 | 28}));
    EXPECT_EQ(toPositions("illegal.game", "out.db"), "ERROR: MOVE NOT LEGAL IN GAME FILE\nconverted: 1 games.\n");
    EXPECT_EQ(splitLines(readFile(dir.file("out.db"))).size(), 3u);
    // A black move first: legal-looking codes in the wrong position.
    writeFile(dir.file("order.game"), gameBytes({1 | 2 << 14, 12 << 6 | 28}));
    EXPECT_EQ(toPositions("order.game", "order.db"), "ERROR: MOVE NOT LEGAL IN GAME FILE\nconverted: 0 games.\n");
}

TEST_F(Converters, ReadingErrorIsReportedAndRaisedWithTheGamesBeforeKept) {
    writeFile(dir.file("error.pgn"), FOUR_PLIES + "[Result \"1-0\"]\n1. e4 e5 2. Qh5 f7f6 1-0\n" + FOUR_PLIES);
    std::string out;
    EXPECT_EQ(toGameError("error.pgn", "out.game", out), "MOVE NOT LEGAL 2 - check revealed");
    EXPECT_NE(out.find("move: f7f6, plyNo:4\nconverted: 1 games. (skipped: 0)\nERROR: MOVE NOT LEGAL 2 - check "
                       "revealed file: " + dir.file("error.pgn") + "\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(readFile(dir.file("out.game")).size(), 10u);
}

TEST_F(Converters, ListGoesOnPastMissingAndBrokenFiles) {
    writeFile(dir.file("good.pgn"), FOUR_PLIES);
    writeFile(dir.file("broken.pgn"), "1. e4 e5 1-0\n");
    writeFile(dir.file("other.pgn"), "[Result \"0-1\"]\n1. f3 e5 2. g4 Qh4# 0-1\n");
    writeFile(dir.file("list.txt"), dir.file("missing.pgn") + "\n" + dir.file("broken.pgn") + "\r\n" +
                                        dir.file("good.pgn") + "\r\n" + dir.file("other.pgn") + "\n");
    const std::string out =
        capturedOutput([&] { pgnlist2game(dir.file("list.txt").c_str(), dir.file("out.game").c_str()); });
    const std::vector<std::string> lines = splitLines(out);
    ASSERT_EQ(lines.size(), 9u) << out;
    EXPECT_EQ(lines[0], "Cannot open PGN input file: '" + dir.file("missing.pgn") + "'");
    EXPECT_EQ(lines[2], "ERROR: Result Error 2 file: " + dir.file("broken.pgn"));
    EXPECT_EQ(lines[3], "converted: 1 games. (skipped: 0)");
    EXPECT_EQ(lines[6], "file: " + dir.file("other.pgn") + " \t\tfinished");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "CONVERTED GAMES: 2");
    EXPECT_EQ(readFile(dir.file("out.game")).size(), 20u);
}

TEST_F(Converters, FilesThatCannotBeOpened) {
    const std::string missing = dir.file("missing");
    const std::string nowhere = dir.file("no/such/dir/out");
    writeFile(dir.file("game.pgn"), FOUR_PLIES);
    writeFile(dir.file("three.game"), THREE_PLIES_BYTES);
    int total = 0;
    EXPECT_EQ(capturedOutput([&] { pgn2game(missing.c_str(), dir.file("x").c_str(), total); }),
              "Cannot open PGN input file: '" + missing + "'\n");
    EXPECT_EQ(capturedOutput([&] { pgn2game(dir.file("game.pgn").c_str(), nowhere.c_str(), total); }),
              "Cannot create GAME output file: '" + nowhere + "'\n");
    EXPECT_EQ(capturedOutput([&] { pgn2game(dir.path.c_str(), dir.file("x").c_str(), total); }),
              "Cannot open PGN input file: '" + dir.path + "'\n")
        << "a directory is no PGN file";
    EXPECT_EQ(capturedOutput([&] { pgnlist2game(missing.c_str(), dir.file("x").c_str()); }),
              "Cannot open PGN input file: '" + missing + "'\n");
    EXPECT_EQ(capturedOutput([&] { game2pgn(missing.c_str(), dir.file("x").c_str()); }),
              "Cannot open GAME input file: '" + missing + "'\n");
    EXPECT_EQ(capturedOutput([&] { game2pgn(dir.file("three.game").c_str(), nowhere.c_str()); }),
              "Cannot create PGN output file: '" + nowhere + "'\n");
    EXPECT_EQ(capturedOutput([&] { game2pos(missing.c_str(), dir.file("x").c_str()); }),
              "Cannot open GAME input file: '" + missing + "'\n");
    EXPECT_EQ(capturedOutput([&] { game2pos(dir.file("three.game").c_str(), nowhere.c_str()); }),
              "Cannot create DB output file: '" + nowhere + "'\n");
    EXPECT_EQ(total, 0);
    EXPECT_FALSE(fileExists(dir.file("x")));
}

TEST_F(Converters, FailedWriteIsNoSuccess) {
    if (!fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    writeFile(dir.file("three.game"), THREE_PLIES_BYTES);
    EXPECT_EQ(capturedOutput([&] { game2pgn(dir.file("three.game").c_str(), "/dev/full"); }),
              "ERROR: CANNOT WRITE OUTPUT FILE\nconverted: 1 games.\n");
    EXPECT_EQ(capturedOutput([&] { game2pos(dir.file("three.game").c_str(), "/dev/full"); }),
              "ERROR: CANNOT WRITE OUTPUT FILE\nconverted: 1 games.\n");
}

TEST_F(Converters, ShuffledPgnFragmentsNeverHangOrLeaveMovesMade) {
    // Pieces of real PGN and of broken input, put together in a fixed pseudo-random order
    // ("" stands for a NUL byte).
    static const char* const PIECES[] = {
        "[Result \"1-0\"]\n", "[Result \"0-1\"]\r\n", "[Result \"*\"]\n", "[Event \"", "\xEF\xBB\xBF", "1. ",
        "e4 ", "e5 ", "Nf3 ", "Nc6 ", "Qh5 ", "f7f6 ", "O-O ", "{", "}", "(", ")", "$1 ", "1-0", "0-1", "*",
        "1/2-1/2", "", "\n", "\r", "[", "]", "Nf9 ", "12... "};
    std::uint32_t seed = 2024;
    for (int file = 0; file < 100; ++file) {
        std::string text;
        for (int piece = 0; piece < 60; ++piece) {
            seed = seed * 1664525u + 1013904223u;
            const char* const p = PIECES[(seed >> 16) % std::size(PIECES)];
            text += *p ? std::string(p) : std::string(1, '\0');
        }
        writeFile(dir.file("fuzz.pgn"), text);
        std::string out;
        toGameError("fuzz.pgn", "fuzz.game", out);
        ASSERT_TRUE(atInitialPosition()) << "file " << file;
        setUpInitialPosition();
    }
}
