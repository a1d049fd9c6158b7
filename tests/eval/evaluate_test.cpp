// The evaluation: side-to-move negation and the pawn cache on real positions, and the
// values of tests/data/eval_terms.txt worked out by hand.
#include <gtest/gtest.h>

#include <map>

#include "eval/evaluate.h"
#include "eval/kingsafety.h"
#include "eval/pawnhash.h"
#include "eval/pawns.h"
#include "eval/pieces.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

namespace {

// The evaluation's pawn cache for these tests.
PawnHashTable& pawnCache() {
    static PawnHashTable cache;
    return cache;
}

Score evaluateGame() { return evaluate(gamePosition, pawnCache()); }

EvalState freshState() {
    EvalState state;
    state.pawnsOnBoard = gamePosition.pawnCount[WHITE] + gamePosition.pawnCount[BLACK];
    return state;
}

template <void (*Add)(const Position&, EvalState&)>
int pieceTerm() {
    EvalState state = freshState();
    Add(gamePosition, state);
    return state.score;
}

const std::map<std::string, int (*)()> TERMS = {
    {"evaluate", [] { return static_cast<int>(evaluateGame()); }},
    {"pawns", [] { return pawnStructureScore(gamePosition); }},
    {"shelter", [] { return kingShelterScore(gamePosition); }},
    {"exposure-white", [] { return static_cast<int>(kingExposure<WHITE>(gamePosition)); }},
    {"exposure-black", [] { return static_cast<int>(kingExposure<BLACK>(gamePosition)); }},
    {"king-placement", [] { return kingPlacementScore(gamePosition); }},
    {"knights-white", pieceTerm<addKnights<WHITE>>},
    {"knights-black", pieceTerm<addKnights<BLACK>>},
    {"bishops-white", pieceTerm<addBishops<WHITE>>},
    {"bishops-black", pieceTerm<addBishops<BLACK>>},
    {"rooks-white", pieceTerm<addRooks<WHITE>>},
    {"rooks-black", pieceTerm<addRooks<BLACK>>},
    {"queens-white", pieceTerm<addQueens<WHITE>>},
    {"queens-black", pieceTerm<addQueens<BLACK>>},
};

class Term : public testing::TestWithParam<DataRow> {};

TEST_P(Term, HasTheValueWorkedOutByHand) {
    const DataRow& row = GetParam();
    ASSERT_EQ(row.size(), 4u) << row[0];
    ASSERT_TRUE(TERMS.count(row[0])) << "no term " << row[0];
    setUpOrFail(row[1].c_str());
    EXPECT_EQ(TERMS.at(row[0])(), std::stoi(row[2])) << row[1] << "\n" << row[3];
}

INSTANTIATE_TEST_SUITE_P(HandWorked, Term, testing::ValuesIn(readDataTable("eval_terms.txt")));

// The same position with the other side to move (no en-passant square then).
std::string withOtherSideToMove(const std::string& fen) {
    const std::vector<std::string> fields = splitWords(fen);
    return fields[0] + (fields[1] == "w" ? " b " : " w ") + fields[2] + " -";
}

}  // namespace

TEST(Evaluate, SideToMoveOnlyFlipsTheSignAndNothingChanges) {
    std::vector<std::string> fens = readDataLines("real_positions.fen");
    fens.push_back("qqqqqqqq/qrrbbnnk/8/8/8/8/QRRBBNNK/QQQQQQQQ w - -");  // more material than the tables cover
    int compared = 0;
    for (const std::string& fen : fens) {
        ASSERT_TRUE(setUpBoard(gamePosition, fen.c_str())) << fen;
        const PositionSnapshot before = takeSnapshot();
        const Score value = evaluateGame();
        ASSERT_TRUE(takeSnapshot() == before) << "evaluate changed the position: " << fen;
        // The other side to move may be refused (that side would stand in check).
        if (!setUpBoard(gamePosition, withOtherSideToMove(fen).c_str())) continue;
        EXPECT_EQ(evaluateGame(), -value) << fen;
        ++compared;
    }
    EXPECT_GT(compared, 400);
}

// Along whole games the cache is warm from earlier plies; every value must equal a cold
// evaluation. The cached score includes the pawn table, which changes with the pieces
// while the pawn key stays: a capture across a material band must not reuse the old score.
TEST(PawnCache, WarmValuesEqualColdOnes) {
    std::vector<RecordedGame> games = loadRecordedGames();
    games.push_back({"queen takes knight: pawn table C to D", {"d1d4"},
                     {"4k3/8/8/8/PP1n2PP/8/8/3QK3 w - -", "4k3/8/8/8/PP1Q2PP/8/8/4K3 b - -"}});
    for (const RecordedGame& game : games) {
        ASSERT_TRUE(setUpBoard(gamePosition, game.fens[0].c_str()));
        pawnCache().clear();
        std::vector<Score> warm{evaluateGame()};
        for (const std::string& move : game.moves) {
            makeMove(gamePosition, coordinateMove(move), testUndo[0]);  // never unmade: the record is reused
            warm.push_back(evaluateGame());
        }
        for (std::size_t i = 0; i < game.fens.size(); ++i) {
            ASSERT_TRUE(setUpBoard(gamePosition, game.fens[i].c_str()));
            pawnCache().clear();
            ASSERT_EQ(evaluateGame(), warm[i]) << game.name << " ply " << i << ": " << game.fens[i];
        }
    }
}
