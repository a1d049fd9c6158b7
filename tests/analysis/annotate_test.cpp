// annotate: real games come back with every move, tag, comment and variation and an
// evaluation after each analysed move; moves that lose are marked with a better line;
// a game that cannot be read is copied as it is; the output does not depend on the
// number of jobs.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "analysis/annotatefile.h"
#include "analysis/judgement.h"
#include "records/pgngame.h"
#include "support/build_kind.h"
#include "support/data_files.h"
#include "support/scratch.h"

namespace {

constexpr int TEST_DEPTH = 3;


AnnotateOptions depth(int plies, int fromPly = 1) {
    AnnotateOptions options;
    options.limits.depth = plies;
    options.fromPly = fromPly;
    return options;
}

// The annotated text of a file, with what the command printed.
struct Annotated {
    bool ok;
    std::string text, report;
};

Annotated annotate(const std::string& input, const AnnotateOptions& options, int jobs = 1) {
    TempDir dir;
    testing::internal::CaptureStdout();
    const bool ok = annotateFile(input.c_str(), dir.file("out.pgn").c_str(), options, jobs);
    const std::string report = testing::internal::GetCapturedStdout();
    return {ok, readFile(dir.file("out.pgn")), report};
}

std::vector<std::string> sansOf(const PgnGame& game) {
    std::vector<std::string> sans;
    for (const PgnMove& move : game.moves) sans.push_back(move.san);
    return sans;
}

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Sanitizer builds run a few times slower: they annotate the famous games only.
std::vector<std::string> realPgnFiles() {
    std::vector<std::string> files;
    for (const std::string& name : dataFileNames("games", ".pgn")) files.push_back(dataPath("games/" + name + ".pgn"));
    if (SANITIZED_BUILD) return files;
    for (const std::string& name : dataFileNames("records", ".pgn")) files.push_back(dataPath("records/" + name + ".pgn"));
    return files;
}

}  // namespace

TEST(Annotate, RealGamesKeepEverythingAndGetAnEvaluationAfterEachMove) {
    int gamesAnalysed = 0;
    for (const std::string& file : realPgnFiles()) {
        SCOPED_TRACE(file);
        const std::string input = readFile(file);
        const Annotated out = annotate(file, depth(TEST_DEPTH));
        ASSERT_TRUE(out.ok) << out.report;
        const PgnFileText before = splitPgnGames(input), after = splitPgnGames(out.text);
        ASSERT_EQ(after.games.size(), before.games.size());
        EXPECT_EQ(after.preamble, before.preamble);
        for (std::size_t i = 0; i < before.games.size(); ++i) {
            const PgnGame original = scanPgnGame(before.games[i]), annotated = scanPgnGame(after.games[i]);
            ASSERT_TRUE(annotated.scanned() || !original.scanned()) << "game " << i + 1 << ": " << annotated.fault;
            if (after.games[i] == before.games[i]) continue;  // copied: a game the reader refused
            ++gamesAnalysed;
            EXPECT_EQ(sansOf(annotated), sansOf(original)) << "game " << i + 1;
            // The annotator, and the average loss of each side that moved (a tag the game had
            // is replaced where it stands).
            std::set<std::string> names;
            for (const PgnTag& tag : original.tags) names.insert(tag.name);
            const std::set<std::string> given = names;
            names.insert("Annotator");
            names.insert(isWhitePly(original.firstPly()) ? "WhiteACPL" : "BlackACPL");
            if (original.moves.size() > 1) names.insert(isWhitePly(original.firstPly()) ? "BlackACPL" : "WhiteACPL");
            EXPECT_EQ(annotated.tags.size(), original.tags.size() + names.size() - given.size()) << "game " << i + 1;
            // One evaluation after every move, beside the comments the game had.
            EXPECT_EQ(count(std::string(after.games[i]), "[%eval "), original.moves.size()) << "game " << i + 1;
            EXPECT_EQ(count(std::string(after.games[i]), "{"), count(std::string(before.games[i]), "{") +
                                                                   original.moves.size()) << "game " << i + 1;
        }
    }
    EXPECT_GT(gamesAnalysed, SANITIZED_BUILD ? 7 : 150);
}

TEST(Annotate, MovesThatLoseAreMarkedAndFollowedByTheBetterLine) {
    Annotated out = annotate(dataPath("analysis/blunders.pgn"), depth(6));
    ASSERT_TRUE(out.ok);
    std::replace(out.text.begin(), out.text.end(), '\n', ' ');  // wherever the lines were broken
    EXPECT_NE(out.report.find("Warning: game 3 (") , std::string::npos) << out.report;
    EXPECT_NE(out.report.find("copied unanalysed: 1"), std::string::npos) << out.report;
    const PgnFileText file = splitPgnGames(out.text);
    ASSERT_EQ(file.games.size(), 3u);
    EXPECT_NE(file.games[0].find("4. Qxf7# {[%eval #0]} 1-0"), std::string::npos) << "mated";
    // 3...Nf6 allows mate at once: a blunder, with another third move for Black.
    const std::string scholar(file.games[0]);
    EXPECT_NE(scholar.find("Nf6 $4 {[%eval #1]} (3... "), std::string::npos) << scholar;
    EXPECT_EQ(scholar.find("3... Nf6"), std::string::npos) << "the better line is another move";
    EXPECT_EQ(count(scholar, "$4"), 1u) << scholar;
    EXPECT_NE(scholar.find("[BlackACPL \""), std::string::npos);
    // From its FEN: Black's 40th move gives the queen away.
    const std::string hanging(file.games[1]);
    EXPECT_NE(hanging.find("40... Qa5 $4"), std::string::npos) << hanging;
    EXPECT_NE(hanging.find("(40... "), std::string::npos) << hanging;
    std::string unread = readFile(dataPath("analysis/blunders.pgn"));
    unread = unread.substr(unread.find("[Event \"An unclosed"));
    std::replace(unread.begin(), unread.end(), '\n', ' ');
    EXPECT_EQ(std::string(file.games[2]), unread);
}

TEST(Annotate, MovesBeforeTheFirstPlyAskedForAreLeftAlone) {
    const Annotated out = annotate(dataPath("games/immortal.pgn"), depth(TEST_DEPTH, 9));
    const PgnGame game = scanPgnGame(splitPgnGames(out.text).games.at(0));
    ASSERT_TRUE(game.scanned());
    for (std::size_t i = 0; i + 1 < game.moves.size(); ++i) {
        const std::string after = game.text.substr(game.moves[i].annotationsEnd, 9);
        EXPECT_EQ(after.find("{[%eval"), game.moves[i].ply < 9 ? std::string::npos : 1u) << game.moves[i].san;
    }
}

TEST(Annotate, TheOutputIsTheSameForAnyNumberOfJobs) {
    const std::string file = dataPath(SANITIZED_BUILD ? "records/syntax.pgn" : "records/fischer.pgn");
    const Annotated one = annotate(file, depth(4), 1), three = annotate(file, depth(4), 3);
    ASSERT_TRUE(one.ok && three.ok);
    EXPECT_EQ(three.text, one.text);
    EXPECT_EQ(three.report.substr(0, three.report.find("file:")), one.report.substr(0, one.report.find("file:")));
}

TEST(Annotate, UnreadableAndUnwritableFilesAreReportedAsFailures) {
    EXPECT_FALSE(annotate(dataPath("analysis/missing.pgn"), depth(2)).ok);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(annotateFile(dataPath("analysis/blunders.pgn").c_str(), "/no/such/dir/out.pgn", depth(2), 1));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Cannot create PGN output file"), std::string::npos);
}

// The judgement of a move by the drop of its side's expected score, 1 / (1 + 10^(-cp/400)).
TEST(Judgement, TheDropOfTheExpectedScoreDecidesTheMark) {
    const struct {
        int before, after, nag;
    } cases[] = {
        {0, -300, NAG_BLUNDER},          // 0.50 to 0.15: the game thrown away
        {900, 600, 0},                   // 0.99 to 0.97: still winning
        {100, -50, NAG_MISTAKE},         // 0.64 to 0.43
        {50, -40, NAG_DUBIOUS},          // 0.57 to 0.44
        {50, 0, 0},                      // 0.57 to 0.50
        {-200, -MATE_SCORE + 3, NAG_MISTAKE},   // 0.24 to mated: no more than 0.24 to lose
        {MATE_SCORE - 5, 300, NAG_DUBIOUS},     // a mate missed, still winning: 1.00 to 0.85
    };
    for (const auto& c : cases) EXPECT_EQ(nagForMove(c.before, c.after), c.nag) << c.before << " to " << c.after;
    EXPECT_EQ(centipawnLoss(120, -80), 200);
    EXPECT_EQ(centipawnLoss(-80, 120), 0);
    EXPECT_EQ(centipawnLoss(MATE_SCORE - 1, 0), LOSS_CAP_CENTIPAWNS);
    EXPECT_EQ(evalComment(whiteEvaluation(-35, BLACK)), "{[%eval 0.35]}");
    EXPECT_EQ(evalComment(whiteEvaluation(MATE_SCORE - 5, BLACK)), "{[%eval #-3]}");
}
