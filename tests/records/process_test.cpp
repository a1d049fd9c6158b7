// The converters through the real engine binary: command words on standard
// input, files in the working directory, and a bad file that must not end the session.
#include <gtest/gtest.h>

#include <cstdlib>

#include "records/records_support.h"

namespace {

// Runs the engine in dir on input; its standard output, or "" when it did not end by itself.
std::string runEngineIn(const TempDir& dir, const std::string& input) {
    writeFile(dir.file("input.txt"), input);
    const std::string command = "cd '" + dir.path + "' && timeout 60 '" + ZORVAK_BINARY +
                                "' < input.txt > output.txt 2> errors.txt";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << readFile(dir.file("errors.txt"));
    return readFile(dir.file("output.txt"));
}

const std::string HANDSHAKE = "\nfeature done=0\nfeature setboard=1\n";

}  // namespace

TEST(RecordsProcess, PgnToGameAndBackThroughTheCommandLoop) {
    TempDir dir;
    const std::vector<RealGame> games = realGames();
    ASSERT_FALSE(games.empty());
    const RealGame& game = games.front();
    writeFile(dir.file("game.pgn"), game.pgn);
    writeFile(dir.file("broken.pgn"), "[Result \"1-0\"]\n1. e4 e5 2. Qh5 f7f6 1-0\n");
    const std::string output = runEngineIn(
        dir, "xboard\npgn2game broken.pgn out.game\npgn2game game.pgn out.game\ngame2pgn out.game out.pgn\nquit\n");
    EXPECT_EQ(output.substr(0, HANDSHAKE.size()), HANDSHAKE);
    EXPECT_NE(output.find("ERROR: MOVE NOT LEGAL 2 - check revealed file: broken.pgn\n"), std::string::npos);
    EXPECT_NE(output.find("converted: 1 games. (skipped: 0)\nfile: game.pgn \t\tfinished\nOK\nconverted: 1 games.\n"),
              std::string::npos)
        << output;
    const std::vector<std::string> lines = splitLines(readFile(dir.file("out.pgn")));
    ASSERT_EQ(lines.size(), 2u);
    std::string expected;
    for (std::size_t i = 0; i < game.moves.size(); ++i)
        expected += (i % 2 ? "" : std::to_string(i / 2 + 1) + ". ") + game.moves[i] + " ";
    const std::string result = lines[0].substr(9, lines[0].size() - 11);
    EXPECT_EQ(lines[0], "[Result \"" + result + "\"]");
    EXPECT_NE(game.pgn.find("[Result \"" + result + "\"]"), std::string::npos);
    EXPECT_EQ(lines[1], expected + result);
    EXPECT_NE(readFile(dir.file("Zorvak.log")).find("<<< OK:\tgame.pgn\t>>>"), std::string::npos);
}
