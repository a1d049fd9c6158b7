// The converters as a command line of their own, with their exit statuses and reports.
// (As commands in the middle of a game: tests/data/xboard/converter_words.txt.)
#include <gtest/gtest.h>

#include <filesystem>

#include "records/records_support.h"
#include "support/data_files.h"

TEST(ConverterCommandLine, EachConverterWithItsStatusAndReport) {
    TempDir dir;
    std::filesystem::copy_file(collectionPath("syntax.pgn"), dir.file("syntax.pgn"));
    writeFile(dir.file("list.txt"), "syntax.pgn\n");
    const std::vector<DataRow> cases = readDataTable("converter_commands.txt");
    ASSERT_GE(cases.size(), 9u);
    for (DataRow c : cases) {
        c.resize(4);  // a short row fails
        const ProgramRun run = runCommand("cd '" + dir.path + "' && '" + ZORVAK_BINARY + "' " + c[0] +
                                          " < /dev/null 2> err.txt");
        EXPECT_EQ(std::to_string(run.status), c[1]) << c[0];
        EXPECT_NE(run.output.find(unescaped(c[2])), std::string::npos) << c[0] << ":\n" << run.output;
        EXPECT_EQ(readFile(dir.file("err.txt")).find("Usage: zorvak ") != std::string::npos, c[3] == "yes") << c[0];
    }
    EXPECT_EQ(splitLines(readFile(dir.file("out.pgn"))).size(), 10u);
    EXPECT_FALSE(fileExists(dir.file("Zorvak.log"))) << "the engine did not start";
}
