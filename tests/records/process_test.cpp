// The converters through the real program: as a command line of their own, and as
// commands of the engine in the middle of a game, which goes on as if they had not run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "records/records_support.h"

namespace {

struct ZorvakRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the program in dir with the arguments and the standard input given.
ZorvakRun runZorvak(const TempDir& dir, const std::string& arguments, const std::string& input = "") {
    writeFile(dir.file("input.txt"), input);
    const std::string command = "cd '" + dir.path + "' && timeout 60 '" + ZORVAK_BINARY + "' " + arguments +
                                " < input.txt > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(dir.file("out.txt")), readFile(dir.file("err.txt"))};
}

// The position keys the engine logs after each game move.
std::vector<std::string> loggedKeys(const TempDir& dir) {
    static const std::regex KEY("^[0-9a-f]+ [0-9a-f]+$");
    std::vector<std::string> keys;
    for (const std::string& line : splitLines(readFile(dir.file("Zorvak.log"))))
        if (std::regex_match(line, KEY)) keys.push_back(line);
    return keys;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(ConverterCommandLine, EachConverterWithItsStatusAndReport) {
    TempDir dir;
    std::filesystem::copy_file(collectionPath("syntax.pgn"), dir.file("syntax.pgn"));
    writeFile(dir.file("list.txt"), "syntax.pgn\n");
    struct Case {
        std::string arguments;
        int status;
        std::string out;  // a part of standard output
        bool usageOnError;
    };
    const Case cases[] = {
        {"--help", 0, "Usage: zorvak ", false},
        {"pgn2game syntax.pgn out.game", 0,
         "converted: 5 games. (skipped: 0)\nrejected with an error: 0 games.\nfile: syntax.pgn \t\tfinished\n", false},
        {"game2pgn out.game out.pgn", 0, "OK\nconverted: 5 games.\nrejected with an error: 0 games.\n", false},
        {"game2pos out.game out.db", 0, "OK\nconverted: 5 games.\n", false},
        {"pgnlist2game list.txt out.game", 0, "\nCONVERTED GAMES: 0\n", false},
        {"pgn2game missing.pgn out.game", 1, "Cannot open PGN input file: 'missing.pgn'\n", false},
        {"game2pos missing.game out.db", 1, "Cannot open GAME input file: 'missing.game'\n", false},
        {"pgn2game syntax.pgn", 2, "", true},
        {"convert syntax.pgn out.game", 2, "", true},
    };
    for (const Case& c : cases) {
        const ZorvakRun run = runZorvak(dir, c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_TRUE(contains(run.out, c.out)) << c.arguments << ":\n" << run.out;
        EXPECT_EQ(contains(run.err, "Usage: zorvak "), c.usageOnError) << c.arguments;
    }
    EXPECT_EQ(splitLines(readFile(dir.file("out.pgn"))).size(), 10u);
    EXPECT_FALSE(fileExists(dir.file("Zorvak.log"))) << "the engine did not start";
}

// In the middle of a game: the converters leave the position and the book as they
// were, so the engine answers the opponent's next move from its book, and a game
// with converters in it logs the same positions as one without.
TEST(ConverterCommandLine, CommandsInTheMiddleOfAGame) {
    TempDir dir;
    const std::string book = std::filesystem::path(ZORVAK_BINARY).parent_path() / "Zorvak.book";
    ASSERT_TRUE(fileExists(book)) << "the default book is built with the engine";
    std::filesystem::copy_file(book, dir.file("Zorvak.book"));
    std::filesystem::copy_file(collectionPath("syntax.pgn"), dir.file("syntax.pgn"));
    const ZorvakRun waiting = runZorvak(dir, "", "xboard\nnew\npgn2game syntax.pgn mid.game\ne2e4\nquit\n");
    EXPECT_EQ(waiting.status, 0);
    EXPECT_TRUE(contains(waiting.out, "\nmove ")) << waiting.out;
    EXPECT_FALSE(contains(waiting.out, "Illegal move"));
    EXPECT_TRUE(contains(readFile(dir.file("Zorvak.log")), "-M: move(book): ")) << "the book survived";

    const std::string moves[] = {"e2e4", "c7c5", "g1f3", "d7d6"};
    std::string plain = "xboard\nnew\nforce\n", converting = plain;
    for (const std::string& move : moves) {
        plain += move + "\n";
        converting += move + "\ngame2pos mid.game mid.db\npgn2game syntax.pgn mid.game\n";
    }
    runZorvak(dir, "", plain + "quit\n");
    const std::vector<std::string> keys = loggedKeys(dir);
    const ZorvakRun run = runZorvak(dir, "", converting + "quit\n");
    EXPECT_FALSE(contains(run.out, "Illegal move")) << run.out;
    EXPECT_EQ(keys.size(), 4u);
    EXPECT_EQ(loggedKeys(dir), keys);
}
