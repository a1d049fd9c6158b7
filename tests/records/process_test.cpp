// The converters as a command line of their own, with their exit statuses and reports.
// (As commands in the middle of a game: tests/data/xboard/converter_words.txt.)
#include <gtest/gtest.h>

#include <filesystem>

#include "records/records_support.h"

TEST(ConverterCommandLine, EachConverterWithItsStatusAndReport) {
    TempDir dir;
    std::filesystem::copy_file(collectionPath("syntax.pgn"), dir.file("syntax.pgn"));
    writeFile(dir.file("list.txt"), "syntax.pgn\n");
    const struct {
        std::string arguments;
        int status;
        std::string out;  // a part of standard output
        bool usageOnError;
    } cases[] = {
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
    for (const auto& c : cases) {
        const ProgramRun run = runCommand("cd '" + dir.path + "' && '" + ZORVAK_BINARY + "' " + c.arguments +
                                          " < /dev/null 2> err.txt");
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_NE(run.output.find(c.out), std::string::npos) << c.arguments << ":\n" << run.output;
        EXPECT_EQ(readFile(dir.file("err.txt")).find("Usage: zorvak ") != std::string::npos, c.usageOnError) << c.arguments;
    }
    EXPECT_EQ(splitLines(readFile(dir.file("out.pgn"))).size(), 10u);
    EXPECT_FALSE(fileExists(dir.file("Zorvak.log"))) << "the engine did not start";
}
