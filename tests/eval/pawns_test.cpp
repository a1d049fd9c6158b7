// Pawn structure by hand from the tables, and the pawn cache.
#include <gtest/gtest.h>

#include "board/pst.h"
#include "eval/evaluate.h"
#include "eval/pawnhash.h"
#include "eval/pawns.h"
#include "eval_helpers.h"
#include "support/board_helpers.h"
#include "support/data_files.h"

// All with at most 14 units of material: PAWN_TABLE_D.
constexpr TermCase PAWN_CASES[] = {
    {"4k3/4P3/8/8/8/8/8/4K3 w - -", 276, "e7: 100 + 104 + passer 96 - isolated 18 - 6 (nothing ahead)"},
    {"4k3/8/8/8/8/8/3p4/4K3 w - -", -276, "black d2 reads e7: -(100 + 104 + 96 - 18 - 6)"},
    {"4k3/8/8/8/4P3/8/4P3/4K3 w - -", 193,
     "e4: 100 + 18 - doubled 8 + passer 48 - 18 - 6 = 134; e2 (not a passer behind e4): 100 - 9 - 8 - 18 - 6 = 59"},
    {"4k3/8/8/2p1p3/3P4/4P3/8/4K3 w - -", 16,
     "d4: 100 + 18 - 8*(3 attackers weight - 1 defender) = 102; e3: 100 + 4 = 104; "
     "c5: -(100 + 14 - 18 - 6) = -90; e5: -(100 + 18 - 18) = -100 (e3 ahead: no 6)"},
    {"4k3/4p3/3p4/2P1P3/8/8/8/4K3 w - -", 35,
     "c5: 100 + 28 - 18 - 6 = 104; e5: 100 + 28 - 18 = 110; "
     "d6: -(100 + 4 - 8*(3 - 1 defender e7)) = -88; e7: -(100 - 9) = -91"},
};

TEST(PawnStructure, TermsWorkedOutFromTheTables) {
    for (const TermCase& c : PAWN_CASES) {
        setUpOrFail(c.fen);
        EXPECT_EQ(pawnStructureScore(), c.expected) << c.fen << "\n" << c.arithmetic;
    }
}

TEST(PawnHash, EvaluationStoresTheFreshScoreUnderKeyAndTable) {
    setUpOrFail("4k3/8/8/2p1p3/3P4/4P3/8/4K3 w - -");
    const std::uint32_t index = position.pawnKey & PAWN_HASH_INDEX_MASK;
    EXPECT_EQ(pawnHashTable[index], 0u) << "set-up leaves the cache empty";
    const Score first = evaluate();
    int cached = 0;
    ASSERT_TRUE(probePawnHash(position.pawnKey, currentPawnTableId(), cached));
    EXPECT_EQ(cached, 16);
    EXPECT_EQ(evaluate(), first);
    EXPECT_FALSE(probePawnHash(position.pawnKey, (currentPawnTableId() + 1) % 4, cached)) << "other pawn table";
    EXPECT_FALSE(probePawnHash(position.pawnKey ^ (1u << PAWN_HASH_BITS), currentPawnTableId(), cached))
        << "same slot, other key";
    setUpOrFail("4k3/8/8/2p1p3/3P4/4P3/8/4K3 w - -");
    EXPECT_EQ(pawnHashTable[index], 0u) << "set-up clears the cache";
}

TEST(PawnHash, StoresWrapAsSixteenBitNumbers) {
    int score = 0;
    storePawnHash(0x12345678u, 2, -5000);
    ASSERT_TRUE(probePawnHash(0x12345678u, 2, score));
    EXPECT_EQ(score, -5000);
    storePawnHash(0x12345678u, 2, 9000);
    ASSERT_TRUE(probePawnHash(0x12345678u, 2, score));
    EXPECT_EQ(static_cast<std::int16_t>(score), 9000) << "equal modulo 2^16, which is all a 16-bit sum sees";
    storePawnHash(0x12345678u, 2, -PAWN_SCORE_BIAS);  // biased to 0: reads as empty
    EXPECT_FALSE(probePawnHash(0x12345678u, 2, score));
}

// The cached score includes the pawn table, which changes with the pieces while
// the pawn key stays: a capture of a piece must not bring back a stale score.
TEST(PawnHash, PieceCaptureAcrossAMaterialBandDoesNotReuseTheOldTable) {
    setUpOrFail("4k3/8/8/8/PP1n2PP/8/8/3QK3 w - -");
    ASSERT_EQ(position.totalMaterial, 16);  // PAWN_TABLE_C
    evaluate();
    saveUndoInfo(testUndo[0]);
    makeMove(coordinateMove("d1d4"), testUndo[0]);
    ASSERT_EQ(position.totalMaterial, 13);  // PAWN_TABLE_D: rank 4 reads 9, 12, .., 12, 9 instead of 6, 8, .., 8, 6
    const Score afterCapture = evaluate();
    setUpOrFail("4k3/8/8/8/PP1Q2PP/8/8/4K3 b - -");
    EXPECT_EQ(afterCapture, evaluate());
}

// Along whole games the cache is warm from earlier plies; every value must equal a cold evaluation.
TEST(PawnHash, WarmCacheAlongRealGamesMatchesColdEvaluation) {
    for (const RecordedGame& game : loadRecordedGames()) {
        setUpOrFail(game.fens[0].c_str());
        std::vector<Score> warm{evaluate()};
        for (std::size_t i = 0; i < game.moves.size(); ++i) {
            UndoRecord& undo = testUndo[i % TEST_UNDO_RECORDS];  // never unmade: records can be reused
            saveUndoInfo(undo);
            makeMove(coordinateMove(game.moves[i]), undo);
            warm.push_back(evaluate());
        }
        for (std::size_t i = 0; i < game.fens.size(); ++i) {
            setUpOrFail(game.fens[i].c_str());
            ASSERT_EQ(evaluate(), warm[i]) << game.name << " ply " << i << ": " << game.fens[i];
        }
    }
}
