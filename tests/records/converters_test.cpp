// The converters where GAME files are cut short or broken, where output cannot be
// written: nothing already stored is damaged, and no report counts a game that was
// not written whole. (In the middle of a game: tests/data/xboard/converter_words.txt.)
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include "records/converters.h"
#include "records/records_support.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// Where each record of a GAME file of these games ends: a header and a word a ply.
std::vector<std::size_t> recordEnds(const std::vector<std::string>& games) {
    std::vector<std::size_t> ends;
    std::size_t end = 0;
    for (const std::string& game : games) ends.push_back(end += 2 * splitWords(game).size());
    return ends;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The file size limit of this process, for the time of a test: a write past it fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit saved_{};
    void (*handler_)(int);
};

class ConverterFiles : public ::testing::Test {
protected:
    void SetUp() override { setUpOrFail(START_FEN); }
    TempDir dir;
};

// 1. f3 e5 2. g4 Qh4#: fool's mate, worked out by hand (a8 = 0 ... h1 = 63).
const std::string FOOLS_MATE = gameBytes({4 | 1 << 14, 53 << 6 | 45, 12 << 6 | 28, 54 << 6 | 38, 3 << 6 | 39});
const std::string FOOLS_MATE_TEXT = "0-1 f2f3 e7e5 g2g4 d8h4";

}  // namespace

// Cut anywhere, a GAME file gives its whole records and a warning; appending to it
// cuts away the broken tail and leaves every whole record as it was.
TEST_F(ConverterFiles, CutGameFileIsReadToItsLastWholeRecordAndAppendedToWhole) {
    const std::vector<std::string> games = referenceLines("syntax.games");
    const std::vector<std::string> added = referenceLines("tournament-2013.games");
    runPgn2game(collectionPath("syntax.pgn"), dir.file("whole.game"));
    const std::string whole = readFile(dir.file("whole.game"));
    const std::vector<std::size_t> ends = recordEnds(games);
    ASSERT_EQ(whole.size(), ends.back());
    std::vector<std::size_t> cuts = {1, 2, 3, ends[0], ends[2] - 1, whole.size() - 1};
    for (std::size_t record = 0; record + 1 < ends.size(); ++record) cuts.push_back(ends[record] + 3);
    for (std::size_t cut : cuts) {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        const std::size_t kept = std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin();
        const bool inRecord = kept == 0 ? cut > 0 : cut > ends[kept - 1];
        writeFile(dir.file("cut.game"), whole.substr(0, cut));
        const Conversion read = runGame2pgn(dir.file("cut.game"), dir.file("cut.pgn"));
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(contains(read.report, "ends with a record cut short"), inRecord) << read.report;
        EXPECT_EQ(gamesOf(dir.file("cut.game")), std::vector<std::string>(games.begin(), games.begin() + kept));
        const Conversion append = runPgn2game(collectionPath("tournament-2013.pgn"), dir.file("cut.game"));
        EXPECT_TRUE(append.ok);
        EXPECT_EQ(contains(append.report, "removed before appending"), inRecord) << append.report;
        std::vector<std::string> expected(games.begin(), games.begin() + kept);
        expected.insert(expected.end(), added.begin(), added.end());
        EXPECT_EQ(gamesOf(dir.file("cut.game")), expected);
        const std::size_t wholeBytes = kept ? ends[kept - 1] : 0;
        EXPECT_EQ(readFile(dir.file("cut.game")).substr(0, wholeBytes), whole.substr(0, wholeBytes));
    }
}

// A record whose move is no legal move in its position is refused alone, by
// game2pgn as by game2pos; the games around it are written.
TEST_F(ConverterFiles, RecordWithAnIllegalMoveIsRefusedAlone) {
    const std::pair<const char*, std::uint16_t> cases[] = {  // the one ply of a game White won
        {"knight g1 to f4", 62 << 6 | 37},
        {"pawn e2 three squares to e5", 52 << 6 | 28},
        {"Black moves first: e7e5", 12 << 6 | 28},
        {"castling through its own pieces", 60 << 6 | 62 | 13 << 12},
        {"e2e4 as an en-passant capture", 52 << 6 | 36 | 2 << 12},
        {"e2e4 as a capture", 52 << 6 | 36 | 1 << 12},
        {"a promotion on the fourth rank", 52 << 6 | 36 | 4 << 12},
    };
    for (const auto& [name, move] : cases) {
        SCOPED_TRACE(name);
        writeFile(dir.file("in.game"), FOOLS_MATE + gameBytes({1 | 2 << 14, move}) + FOOLS_MATE);
        for (auto convert : {runGame2pgn, runGame2pos}) {
            std::remove(dir.file("out").c_str());
            const Conversion run = convert(dir.file("in.game"), dir.file("out"));
            EXPECT_TRUE(run.ok);
            EXPECT_EQ(gameWarnings(run.report),
                      std::vector<std::string>{"Warning: game 2 (rejected: MOVE NOT LEGAL IN GAME FILE, ply 1)"});
            EXPECT_TRUE(contains(run.report, "converted: 2 games.\nrejected with an error: 1 games.\n"));
            EXPECT_EQ(splitLines(readFile(dir.file("out"))).size(), convert == runGame2pos ? 8u : 4u);
        }
        EXPECT_EQ(gamesOf(dir.file("in.game")), std::vector<std::string>(2, FOOLS_MATE_TEXT));
    }
}

// A record no reader can frame ends the reading, with the games before it written;
// nothing is ever appended behind it.
TEST_F(ConverterFiles, BrokenRecordEndsTheReadingAndIsNeverAppendedTo) {
    const std::pair<std::string, std::string> cases[] = {  // the record, the error
        {gameBytes({4, 53 << 6 | 45, 12 << 6 | 28, 54 << 6 | 38, 3 << 6 | 39}), "WRONG RESULT"},
        {gameBytes({1024 | 2 << 14}) + std::string(2048, '\x01'), "GAME RECORD TOO LONG"},
        {gameBytes({2 | 2 << 14, 52 << 6 | 36, 0}), "NOT A MOVE IN GAME FILE"},
        {gameBytes({2 | 2 << 14, 52 << 6 | 36, NULL_MOVE}), "NOT A MOVE IN GAME FILE"},
    };
    for (const auto& [record, message] : cases) {
        SCOPED_TRACE(message);
        const std::string bytes = FOOLS_MATE + record + FOOLS_MATE;
        writeFile(dir.file("in.game"), bytes);
        const Conversion read = runGame2pgn(dir.file("in.game"), dir.file("out.pgn"));
        EXPECT_FALSE(read.ok);
        EXPECT_TRUE(contains(read.report, "ERROR: " + message + "\nconverted: 1 games.\n")) << read.report;
        const Conversion append = runPgn2game(collectionPath("syntax.pgn"), dir.file("in.game"));
        EXPECT_FALSE(append.ok);
        EXPECT_EQ(append.report, "ERROR: " + message + " file: " + dir.file("in.game") + "\n");
        EXPECT_EQ(readFile(dir.file("in.game")), bytes);
        std::remove(dir.file("out.pgn").c_str());
    }
}

// A write that fails (a full disk, the file size limit) ends the conversion: the
// output ends with the last game written whole, and the report counts just those.
TEST_F(ConverterFiles, FailedWritesLeaveWholeGamesAndCountOnlyThose) {
    const std::vector<std::string> games = referenceLines("gnuchess-book.games");
    runPgn2game(collectionPath("gnuchess-book.pgn"), dir.file("full.game"));
    runGame2pos(dir.file("full.game"), dir.file("full.db"));
    const std::string fullGame = readFile(dir.file("full.game"));
    const std::string fullDb = readFile(dir.file("full.db"));
    const auto countedGames = [](const std::string& report) { return std::stoi(report.substr(report.find("converted: ") + 11)); };
    {
        const FileSizeLimit limit(fullGame.size() - 1);
        const Conversion run = runPgn2game(collectionPath("gnuchess-book.pgn"), dir.file("limited.game"));
        EXPECT_FALSE(run.ok);
        EXPECT_TRUE(contains(run.report, "ERROR: CANNOT WRITE OUTPUT FILE file: " + dir.file("limited.game"))) << run.report;
        const int counted = countedGames(run.report);
        const std::string limited = readFile(dir.file("limited.game"));
        EXPECT_EQ(limited, fullGame.substr(0, limited.size()));
        EXPECT_EQ(limited.size(), recordEnds(games)[counted - 1]) << "the file ends with the last game counted";
    }
    {
        const FileSizeLimit limit(fullDb.size() / 3);
        const Conversion run = runGame2pos(dir.file("full.game"), dir.file("limited.db"));
        EXPECT_FALSE(run.ok);
        const int counted = countedGames(run.report);
        const std::string limited = readFile(dir.file("limited.db"));
        EXPECT_GT(counted, 0);
        EXPECT_EQ(limited, fullDb.substr(0, limited.size()));
        std::size_t plies = 0;
        for (int g = 0; g < counted; ++g) plies += splitWords(games[g]).size() - 1;
        EXPECT_EQ(splitLines(limited).size(), plies) << "the file ends with the last game counted";
    }
    if (!fileExists("/dev/full")) return;
    for (auto convert : {runGame2pgn, runGame2pos}) {
        const Conversion run = convert(dir.file("full.game"), "/dev/full");
        EXPECT_FALSE(run.ok);
        EXPECT_TRUE(contains(run.report, "ERROR: CANNOT WRITE OUTPUT FILE\nconverted: 0 games.\n")) << run.report;
    }
}
