#include "support/data_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

std::vector<std::string> readDataLines(const std::string& relative) {
    std::ifstream in(dataPath(relative));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    return lines;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

std::string unescaped(const std::string& text) {
    static const std::map<char, char> SINGLE = {{'s', ' '}, {'n', '\n'}, {'r', '\r'}, {'0', '\0'}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) out += text[i];
        else if (text[++i] == 'x') out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)), i += 2;
        else out += SINGLE.at(text[i]);
    }
    return out;
}

std::string identifierOf(std::string text) {
    for (char& c : text)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return text;
}

std::vector<std::string> splitWords(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::vector<DataRow> readDataTable(const std::string& relative) {
    std::vector<DataRow> rows;
    for (const std::string& line : readDataLines(relative)) {
        std::istringstream fields(line);
        rows.emplace_back();
        for (std::string field; std::getline(fields, field, '|');) rows.back().push_back(trimmed(field));
    }
    if (rows.empty()) rows.push_back({"missing " + relative});
    return rows;
}

std::vector<std::string> dataFileNames(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dataPath(folder)))
        if (entry.path().extension() == extension) names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> pgnMoveWords(const std::string& relative) {
    static const std::vector<std::string> RESULTS = {"1-0", "0-1", "1/2-1/2", "*"};
    std::ifstream in(dataPath(relative));
    std::vector<std::string> moves;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == '[') continue;
        for (const std::string& word : splitWords(line)) {
            const bool number =
                std::isdigit(static_cast<unsigned char>(word[0])) && word.find('.') != std::string::npos;
            const bool result = std::find(RESULTS.begin(), RESULTS.end(), word) != RESULTS.end();
            if (!number && !result) moves.push_back(word);
        }
    }
    return moves;
}

std::vector<RecordedGame> loadRecordedGames() {
    std::vector<RecordedGame> games;
    for (const std::string& name : dataFileNames("games", ".uci")) {
        RecordedGame game{name, splitWords(readDataLines("games/" + name + ".uci").at(0)),
                          readDataLines("games/" + name + ".fens")};
        EXPECT_EQ(game.fens.size(), game.moves.size() + 1) << name;
        games.push_back(game);
    }
    return games;
}

std::vector<RecordedGame> loadGamesAndLines() {
    std::vector<RecordedGame> all = loadRecordedGames();
    for (const std::string& line : readDataLines("lines.txt")) {
        const std::string tag = line.substr(0, line.find(' '));
        const std::string rest = line.substr(line.find(' ') + 1);
        if (tag == "LINE") all.push_back({rest, {}, {}});
        else if (tag == "MOVES") all.back().moves = splitWords(rest);
        else if (tag == "START" || tag == "FEN") all.back().fens.push_back(rest);
    }
    return all;
}
