// The PGN text layer on every real file of tests/data/records, games and puzzles:
// byte for byte without edits, main lines as Debian's pgn-extract reads them
// (NAME.mainline, see tests/data/records/SOURCE.txt), and the check's edits
// (an evaluation, a NAG, a variation per move, tags) read back as the same games.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "bench/cli/text_check_edits.h"
#include "records/pgnlayout.h"
#include "records/pgntokens.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

const char* const PGN_EXTRACT = "/usr/games/pgn-extract";
// What make_mainlines.py gives pgn-extract: the main line alone, moves as written.
const char* const PGN_EXTRACT_OPTIONS = " -s --notags -C -N -V -w 100000 -W";
// The files pgn-extract reads with their ';' comments cut off (it does not know them).
const std::set<std::string> SEMICOLON_COMMENTS = {"records/syntax", "records/faults"};
// The longest word the check inserts: "{[%eval -4.00]}".
constexpr std::size_t LONGEST_CHECK_WORD = 15;

std::vector<std::string> pgnFiles() {
    std::vector<std::string> files;
    for (const std::string folder : {"records", "games", "puzzles"})
        for (const std::string& name : dataFileNames(folder, ".pgn")) files.push_back(folder + "/" + name);
    return files;
}

// pgn-extract writes castling with letters and works out check signs anew.
std::string normalised(const std::string& line) {
    std::string out;
    for (std::string word : splitWords(line)) {
        while (!word.empty() && (word.back() == '+' || word.back() == '#')) word.pop_back();
        if (word == "0-0" || word == "0-0-0") std::replace(word.begin(), word.end(), '0', 'O');
        out += (out.empty() ? "" : " ") + word;
    }
    return out;
}

std::vector<std::string> sansOf(const PgnGame& game) {
    std::vector<std::string> sans;
    for (const PgnMove& move : game.moves) sans.push_back(move.san);
    return sans;
}

// The game's main line as pgn-extract writes it; a game without a result word has '*'.
std::string mainLine(const PgnGame& game) {
    const std::string moves = moveSequenceText(game.firstPly(), sansOf(game));
    return normalised(moves + " " + (game.result.empty() ? "*" : game.result));
}

std::vector<std::string> tokensOf(std::string_view text) {
    std::vector<std::string> tokens;
    PgnTokenizer tokenizer(text);
    for (PgnToken token = tokenizer.next(); token.kind != PgnTokenKind::END; token = tokenizer.next())
        tokens.emplace_back(tokenizer.textOf(token));
    return tokens;
}

// The tags the check sets, as it writes them.
std::vector<std::pair<std::string, std::string>> checkTags(const PgnGame& game) {
    return {{"Annotator", CHECK_ANNOTATOR},
            {"WhiteACPL", std::to_string(game.moves.size())},
            {"BlackACPL", std::to_string(game.moves.size() / 2)}};
}

// The original's tokens with the check's: a tag it sets replaced where the game has
// one, else added after the last tag (or first); its words after each move's glyphs.
std::vector<std::string> tokensWithCheckEdits(const PgnGame& game) {
    std::vector<std::string> tokens, added;
    for (const auto& [name, value] : checkTags(game))
        if (!game.tag(name)) added.push_back(tagPairText(name, value));
    if (game.tags.empty()) tokens = added;
    PgnTokenizer tokenizer(game.text);
    std::size_t move = 0;
    for (PgnToken token = tokenizer.next(); token.kind != PgnTokenKind::END; token = tokenizer.next()) {
        tokens.emplace_back(tokenizer.textOf(token));
        if (token.kind == PgnTokenKind::TAG && tokens.back().starts_with("[Annotator "))
            tokens.back() = tagPairText("Annotator", CHECK_ANNOTATOR);
        if (token.kind == PgnTokenKind::TAG && token.end == game.tagsEnd)
            tokens.insert(tokens.end(), added.begin(), added.end());
        for (; move < game.moves.size() && game.moves[move].annotationsEnd == token.end; ++move)
            for (const std::string& word : tokensOf(checkWords(game.moves[move], move))) tokens.push_back(word);
    }
    return tokens;
}

std::size_t longestLine(const std::string& text) {
    std::size_t longest = 0;
    for (const std::string& line : splitLines(text)) longest = std::max(longest, line.size());
    return longest;
}

class PgnTextFile : public ::testing::TestWithParam<std::string> {
protected:
    const std::string text = readFile(dataPath(GetParam() + ".pgn"));
    const PgnFileText file = splitPgnGames(text);
    // The games that cannot be scanned, as tests/data/records/unscannable.txt lists them.
    std::vector<std::string> faults;
    std::vector<PgnGame> games;

    void SetUp() override {
        ASSERT_FALSE(text.empty()) << GetParam();
        for (std::string_view piece : file.games) {
            games.push_back(scanPgnGame(piece));
            if (!games.back().scanned())
                faults.push_back(GetParam() + " | " + std::to_string(games.size()) + " | " + games.back().fault);
        }
    }

    // The whole file with the check's edits in every game that can be scanned.
    std::string editedFile() const {
        std::string edited(file.preamble);
        for (const PgnGame& game : games) {
            PgnGameEditor editor(game);
            if (game.scanned()) applyCheckEdits(game, editor);
            edited += game.scanned() ? editor.text() : game.text;
        }
        return edited;
    }
};

std::vector<std::string> expectedFaults(const std::string& file) {
    std::vector<std::string> faults;
    for (const std::string& line : readDataLines("records/unscannable.txt"))
        if (line.starts_with(file + " |")) faults.push_back(line);
    return faults;
}

std::string fileName(const testing::TestParamInfo<std::string>& tested) { return identifierOf(tested.param); }

}  // namespace

TEST_P(PgnTextFile, ComesBackByteForByteWithoutEdits) {
    std::string joined(file.preamble);
    for (std::string_view game : file.games) joined += game;
    EXPECT_EQ(joined, text);
    for (const PgnGame& game : games) EXPECT_EQ(PgnGameEditor(game).text(), game.text);
    EXPECT_EQ(faults, expectedFaults(GetParam()));
}

// Every game pgn-extract reads is one of ours, in order; the main line is the same, or
// for a game it finds broken, begins the same way up to its fault. A game cut short
// (no result word) is no test: pgn-extract reads none of its moves when the next
// game's tags follow, and passes over it at the end of the file.
TEST_P(PgnTextFile, MainLinesAsPgnExtractReadsThem) {
    const std::vector<std::string> reference = readDataLines(GetParam() + ".mainline");
    const bool lastCutShort = !games.empty() && games.back().scanned() && games.back().result.empty();
    ASSERT_EQ(games.size(), reference.size() + (lastCutShort ? 1 : 0));
    for (std::size_t i = 0; i < reference.size(); ++i) {
        if (!games[i].scanned() || games[i].result.empty()) continue;
        const bool broken = reference[i].starts_with("broken ");
        const std::string theirs = normalised(reference[i].substr(reference[i].find(' ') + 1));
        const std::string ours = mainLine(games[i]);
        if (broken) {
            const std::string movesOnly = theirs.substr(0, theirs.rfind(' ') + 1);
            EXPECT_TRUE(ours.starts_with(movesOnly)) << "game " << i + 1 << "\n" << ours << "\n" << theirs;
        } else {
            EXPECT_EQ(ours, theirs) << "game " << i + 1;
        }
    }
}

// The edited games read back as the same games: the same tags and main line, the
// original's tokens all there in order with the check's words after each move.
TEST_P(PgnTextFile, CheckEditsKeepEveryGame) {
    for (const PgnGame& game : games) {
        if (!game.scanned()) continue;
        PgnGameEditor editor(game);
        applyCheckEdits(game, editor);
        const std::string edited = editor.text();
        const PgnGame again = scanPgnGame(edited);
        ASSERT_TRUE(again.scanned()) << again.fault << "\n" << edited;
        EXPECT_EQ(sansOf(again), sansOf(game));
        EXPECT_EQ(mainLine(again), mainLine(game));
        EXPECT_EQ(tokensOf(edited), tokensWithCheckEdits(game));
        for (const auto& [name, value] : checkTags(game)) {
            ASSERT_NE(again.tag(name), nullptr) << name;
            EXPECT_EQ(again.tag(name)->value, value);
        }
        for (const PgnTag& tag : game.tags) {
            if (tag.name == "Annotator") continue;
            EXPECT_EQ(again.tag(tag.name)->value, game.tag(tag.name)->value);
        }
        const std::size_t longestAllowed = std::max(PGN_LINE_TARGET, longestLine(game.text) + LONGEST_CHECK_WORD);
        EXPECT_LE(longestLine(edited), longestAllowed) << edited;
    }
}

// pgn-extract reads the edited file as it read the original: the same games, the same
// main lines, the same ones broken.
TEST_P(PgnTextFile, PgnExtractReadsTheEditedFileAsTheOriginal) {
    if (!fileExists(PGN_EXTRACT)) GTEST_SKIP() << "pgn-extract is not installed";
    std::string edited = editedFile();
    if (SEMICOLON_COMMENTS.contains(GetParam())) {
        std::string cut;
        PgnTokenizer tokenizer(edited);
        std::size_t at = 0;
        for (PgnToken token = tokenizer.next(); token.kind != PgnTokenKind::END; token = tokenizer.next())
            if (token.kind == PgnTokenKind::LINE_COMMENT) {
                cut += edited.substr(at, token.begin - at);
                at = token.end;
            }
        edited = cut + edited.substr(at);
    }
    TempDir dir;
    writeFile(dir.file("edited.pgn"), edited);
    const std::vector<std::string> reference = readDataLines(GetParam() + ".mainline");
    std::vector<std::string> every, kept;
    for (const std::string& line : reference) {
        every.push_back(line.substr(line.find(' ') + 1));
        if (line.starts_with("ok ")) kept.push_back(every.back());
    }
    const std::string command = std::string(PGN_EXTRACT) + PGN_EXTRACT_OPTIONS + " < '" + dir.file("edited.pgn") + "'";
    const auto linesOf = [](const std::string& output) {
        std::vector<std::string> lines;
        for (const std::string& line : splitLines(output))
            if (!trimmed(line).empty()) lines.push_back(line);
        return lines;
    };
    EXPECT_EQ(linesOf(runCommand(command + " --keepbroken 2>/dev/null").output), every);
    EXPECT_EQ(linesOf(runCommand(command + " 2>/dev/null").output), kept);
}

INSTANTIATE_TEST_SUITE_P(RealFiles, PgnTextFile, testing::ValuesIn(pgnFiles()), fileName);
