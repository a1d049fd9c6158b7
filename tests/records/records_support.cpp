#include "records/records_support.h"

#include <regex>
#include <sstream>

#include "records/converters.h"
#include "support/data_files.h"

std::string collectionPath(const std::string& file) { return dataPath("records/" + file); }

std::string gameBytes(const std::vector<std::uint16_t>& words) {
    std::string bytes;
    for (std::uint16_t w : words) {
        bytes += static_cast<char>(w & 0xFF);
        bytes += static_cast<char>(w >> 8);
    }
    return bytes;
}

namespace {

template <typename Convert>
Conversion run(Convert convert) {
    Conversion conversion{};
    conversion.report = capturedOutput([&] { conversion.ok = convert(); });
    return conversion;
}

}  // namespace

Conversion runPgn2game(const std::string& pgn, const std::string& game) {
    int total = 0;
    return run([&] { return pgn2game(pgn.c_str(), game.c_str(), total); });
}

Conversion runGame2pgn(const std::string& game, const std::string& pgn) {
    return run([&] { return game2pgn(game.c_str(), pgn.c_str()); });
}

Conversion runGame2pos(const std::string& game, const std::string& db) {
    return run([&] { return game2pos(game.c_str(), db.c_str()); });
}

std::vector<std::string> gamesOf(const std::string& gameFile) {
    TempDir dir;
    runGame2pgn(gameFile, dir.file("games.pgn"));
    const std::vector<std::string> lines = splitLines(readFile(dir.file("games.pgn")));
    std::vector<std::string> games;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string result = lines[i].substr(9, lines[i].size() - 11);  // [Result "..."]
        EXPECT_EQ(lines[i], "[Result \"" + result + "\"]");
        std::string game = result;
        std::istringstream movetext(lines[i + 1]);
        for (std::string word; movetext >> word;)
            if (word.back() != '.') game += " " + word;
        EXPECT_EQ(game.substr(game.size() - result.size()), result) << "the movetext ends with the result";
        games.push_back(game.substr(0, game.size() - result.size() - 1));
    }
    return games;
}

std::vector<std::string> gameWarnings(const std::string& report) {
    static const std::regex WARNING("^(Warning: game [0-9]+ \\(.*\\)) file: .*$");
    std::vector<std::string> warnings;
    std::smatch match;
    for (const std::string& line : splitLines(report))
        if (std::regex_match(line, match, WARNING)) warnings.push_back(match[1]);
    return warnings;
}
