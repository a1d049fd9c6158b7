// Every move of famous games read from SAN and played: each must be the move the
// coordinate record names, legal, and lead to the FEN pgn-extract computed.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/validate.h"
#include "movegen/legal.h"
#include "movegen/movegen_helpers.h"
#include "movegen/notation.h"
#include "support/board_helpers.h"

namespace {

const char* const GAMES[] = {"century", "deep_blue_kasparov_1997_g6", "evergreen", "fischer_spassky_1972_g6",
                             "immortal", "kasparov_topalov", "lasker_thomas", "opera"};

std::string gamePath(const std::string& game, const char* extension) {
    return std::string(ZORVAK_TEST_DATA) + "/games/" + game + extension;
}

std::vector<std::string> words(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> result;
    for (std::string w; in >> w;) result.push_back(w);
    return result;
}

std::vector<std::string> lines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> result;
    for (std::string l; std::getline(in, l);)
        if (!l.empty()) result.push_back(l);
    return result;
}

// The SAN moves of a PGN game: tag lines, move numbers and the result dropped.
std::vector<std::string> sanMoves(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> moves;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] == '[') continue;
        std::istringstream tokens(line);
        for (std::string t; tokens >> t;) {
            if (std::isdigit(static_cast<unsigned char>(t[0])) && t.find('.') != std::string::npos) continue;
            if (t == "1-0" || t == "0-1" || t == "1/2-1/2" || t == "*") continue;
            moves.push_back(t);
        }
    }
    return moves;
}

}  // namespace

TEST(SanGames, EveryMoveResolvesToTheRecordedLegalMove) {
    for (const std::string game : GAMES) {
        SCOPED_TRACE(game);
        const std::vector<std::string> san = sanMoves(gamePath(game, ".pgn"));
        const std::vector<std::string> uci = words(gamePath(game, ".uci"));
        const std::vector<std::string> fens = lines(gamePath(game, ".fens"));
        ASSERT_FALSE(san.empty());
        ASSERT_EQ(san.size(), uci.size());
        ASSERT_EQ(fens.size(), san.size() + 1);
        setUpOrFail(fens[0].c_str());
        for (std::size_t ply = 0; ply < san.size(); ++ply) {
            SCOPED_TRACE(san[ply]);
            const Move move = parseSan(san[ply].c_str());
            ASSERT_EQ(move, coordinateMove(uci[ply])) << moveText(move) << " vs " << uci[ply];
            ASSERT_TRUE(isLegalMove(move));
            makeMove(move, testUndo[0]);  // game moves are never taken back
            ASSERT_EQ(currentFen(), fens[ply + 1]);
            ASSERT_EQ(validatePosition(), "");
        }
    }
}

TEST(EpdOperations, BestAndAvoidMovesAreReadAsSan) {
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3;", false));
    EXPECT_EQ(position.expectedMove, coordinateMove("g1f3"));
    EXPECT_EQ(position.avoidMove, 0);
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - am e4; id \"x\";", false));
    EXPECT_EQ(position.avoidMove, coordinateMove("e2e4"));
    EXPECT_EQ(position.expectedMove, 0);
    // An operand at the very end of the text is not taken.
    ASSERT_TRUE(setPosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - bm Nf3", false));
    EXPECT_EQ(position.expectedMove, 0);
}

TEST(EpdOperations, UnreadableMoveWarnsAndRefusesTheWholeSetUp) {
    ASSERT_TRUE(setPosition("4k3/8/8/8/8/8/8/R3K3 w Q -", false));
    testing::internal::CaptureStdout();
    const bool accepted = setPosition("4k3/8/8/8/8/8/8/4K3 b - - am Nf3;", false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning cannot recognize move: Nf3\r\n");
    EXPECT_FALSE(accepted);
    EXPECT_EQ(currentFen(), "4k3/8/8/8/8/8/8/R3K3 w Q -");
}
