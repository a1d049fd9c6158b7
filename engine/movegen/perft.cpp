#include "movegen/perft.h"

#include "board/makemove.h"
#include "board/validate.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/notation.h"

namespace {

// One ply of the walk: the check information of its position and the undo record
// of the move being tried. Each ply's list starts where its parent's ends.
struct PerftPly {
    CheckInfo check;
    UndoRecord undo;
};
PerftPly perftPlies[MAX_PERFT_DEPTH + 1];
MoveEntry perftLists[(MAX_PERFT_DEPTH + 1) * MAX_MOVES_PER_POSITION];

struct Validation {
    int checkedPlies;
    std::string* fault;
};

inline MoveEntry* generateFor(PerftPly& ply, MoveEntry* list) {
    computeCheckInfo(ply.check);
    const GeneratorKind kind = ply.check.checkers ? GEN_EVASIONS : GEN_ALL;
    return MOVE_GENERATORS[kind][position.sideToMove](list, ply.check);
}

inline void validateAt(int ply, const Validation* check, const char* when, Move move) {
    if (!check || ply >= check->checkedPlies || !check->fault->empty()) return;
    const std::string problem = validatePosition();
    if (problem.empty()) return;
    char text[MOVE_TEXT_SIZE];
    moveToText(text, move);
    *check->fault = std::string(when) + " " + text + " at ply " + std::to_string(ply) + ": " + problem;
}

// The last ply: each move is still made, tested and unmade, nothing is counted in
// bulk. A loop of its own, with no recursive call inside, keeps its values in registers.
template <Side Mover>
[[gnu::always_inline]] inline bool isLegalLeaf(Move move, PerftPly& ply, Bitboard toTest) {
    makeMoveBy(Mover, move, ply.undo);
    const bool legal = !leavesKingAttacked(move, Mover, ply.check, toTest);
    unmakeMoveBy(Mover, move, ply.undo);
    return legal;
}

// Moves other than quiet moves and captures, or from a square the king's safety
// depends on: out of line, so that the common case keeps its values in registers.
template <Side Mover>
[[gnu::noinline]] bool isLegalRareLeaf(Move move, PerftPly& ply, Bitboard toTest) {
    return isLegalLeaf<Mover>(move, ply, toTest);
}

// Specialised by the mover, so that make and unmake index the side's boards directly.
template <Side Mover>
std::uint64_t countLegalMovesOf(PerftPly* ply, MoveEntry* list) {
    MoveEntry* const end = generateFor(*ply, list);
    const Bitboard toTest = squaresToTest(ply->check);
    saveUndoInfo(ply->undo);
    std::uint64_t legal = 0;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        const Move move = entry->move;
        // The same make, test and unmake on both sides; the test of the first one
        // is known to pass, which the compiler sees.
        if (moveKind(move) <= KIND_CAPTURE && !(toTest & bitOf(moveFrom(move))))
            legal += isLegalLeaf<Mover>(move, *ply, toTest);
        else
            legal += isLegalRareLeaf<Mover>(move, *ply, toTest);
    }
    return legal;
}

std::uint64_t countLegalMoves(PerftPly* ply, MoveEntry* list) {
    return position.sideToMove == WHITE ? countLegalMovesOf<WHITE>(ply, list) : countLegalMovesOf<BLACK>(ply, list);
}

// Every leaf move is made and tested: nothing is counted in bulk.
template <bool Validated>
std::uint64_t countLeaves(int depth, PerftPly* ply, MoveEntry* list, const Validation* check) {
    if (!Validated && depth == 1) return countLegalMoves(ply, list);
    const Side mover = position.sideToMove;
    MoveEntry* const end = generateFor(*ply, list);
    const Bitboard toTest = squaresToTest(ply->check);
    // The position is the same before every move of this node, so one save serves them all.
    saveUndoInfo(ply->undo);
    std::uint64_t leaves = 0;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        const Move move = entry->move;
        makeMove(move, ply->undo);
        if constexpr (Validated) validateAt(static_cast<int>(ply - perftPlies), check, "make", move);
        if (!leavesKingAttacked(move, mover, ply->check, toTest))
            leaves += depth == 1 ? 1 : countLeaves<Validated>(depth - 1, ply + 1, end, check);
        unmakeMove(move, ply->undo);
        if constexpr (Validated) validateAt(static_cast<int>(ply - perftPlies), check, "unmake", move);
    }
    return leaves;
}

}  // namespace

std::uint64_t perft(int depth) { return countLeaves<false>(depth, perftPlies, perftLists, nullptr); }

std::uint64_t perftValidated(int depth, int checkedPlies, std::string& fault) {
    fault.clear();
    const Validation check{checkedPlies, &fault};
    return countLeaves<true>(depth, perftPlies, perftLists, &check);
}

int perftDivide(int depth, RootMoveCount* counts) {
    PerftPly* const ply = perftPlies;
    const Side mover = position.sideToMove;
    MoveEntry* const end = generateFor(*ply, perftLists);
    saveUndoInfo(ply->undo);
    int written = 0;
    for (MoveEntry* entry = perftLists; entry != end; ++entry) {
        const Move move = entry->move;
        makeMove(move, ply->undo);
        if (!leavesKingAttacked(move, mover, ply->check)) {
            const std::uint64_t leaves = depth == 1 ? 1 : countLeaves<false>(depth - 1, ply + 1, end, nullptr);
            counts[written++] = {move, leaves};
        }
        unmakeMove(move, ply->undo);
    }
    return written;
}
