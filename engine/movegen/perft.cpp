#include "movegen/perft.h"

#include "board/makemove.h"
#include "board/validate.h"
#include "movegen/check.h"
#include "movegen/generate.h"
#include "movegen/notation.h"

namespace {

struct Validation {
    int checkedPlies;
    std::string* fault;
};

inline MoveEntry* generateFor(PlyRecord& ply, MoveEntry* list) {
    computeCheckInfo(ply);
    const GeneratorKind kind = ply.checkers ? GEN_EVASIONS : GEN_ALL;
    return MOVE_GENERATORS[kind][position.sideToMove](list, ply);
}

inline void validateAt(int ply, const Validation* check, const char* when, Move move) {
    if (!check || ply >= check->checkedPlies || !check->fault->empty()) return;
    const std::string problem = validatePosition();
    if (problem.empty()) return;
    char text[6];
    moveToText(text, move);
    *check->fault = std::string(when) + " " + text + " at ply " + std::to_string(ply) + ": " + problem;
}

// The last ply: each move is still made, tested and unmade, nothing is counted in
// bulk. A loop of its own, with no recursive call inside, keeps its values in registers.
template <Side Mover>
[[gnu::always_inline]] inline bool isLegalLeaf(Move move, PlyRecord& ply, Bitboard toTest) {
    makeMoveBy(Mover, move, ply);
    const bool legal = !leavesKingAttacked(move, Mover, ply, toTest);
    unmakeMoveBy(Mover, move, ply);
    return legal;
}

// Moves other than quiet moves and captures, or from a square the king's safety
// depends on: out of line, so that the common case keeps its values in registers.
template <Side Mover>
[[gnu::noinline]] bool isLegalRareLeaf(Move move, PlyRecord& ply, Bitboard toTest) {
    return isLegalLeaf<Mover>(move, ply, toTest);
}

// Specialised by the mover, so that make and unmake index the side's boards directly.
template <Side Mover>
std::uint64_t countLegalMovesOf(PlyRecord* ply, MoveEntry* list) {
    MoveEntry* const end = generateFor(*ply, list);
    const Bitboard toTest = squaresToTest(*ply);
    saveUndoInfo(*ply);
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

std::uint64_t countLegalMoves(PlyRecord* ply, MoveEntry* list) {
    return position.sideToMove == WHITE ? countLegalMovesOf<WHITE>(ply, list) : countLegalMovesOf<BLACK>(ply, list);
}

// Every leaf move is made and tested: nothing is counted in bulk.
template <bool Validated>
std::uint64_t countLeaves(int depth, PlyRecord* ply, MoveEntry* list, const Validation* check) {
    if (!Validated && depth == 1) return countLegalMoves(ply, list);
    const Side mover = position.sideToMove;
    MoveEntry* const end = generateFor(*ply, list);
    const Bitboard toTest = squaresToTest(*ply);
    // The position is the same before every move of this node, so one save serves them all.
    saveUndoInfo(*ply);
    std::uint64_t leaves = 0;
    for (MoveEntry* entry = list; entry != end; ++entry) {
        const Move move = entry->move;
        makeMove(move, *ply);
        if constexpr (Validated) validateAt(static_cast<int>(ply - plyRecords), check, "make", move);
        if (!leavesKingAttacked(move, mover, *ply, toTest))
            leaves += depth == 1 ? 1 : countLeaves<Validated>(depth - 1, ply + 1, end, check);
        unmakeMove(move, *ply);
        if constexpr (Validated) validateAt(static_cast<int>(ply - plyRecords), check, "unmake", move);
    }
    return leaves;
}

}  // namespace

std::uint64_t perft(int depth) { return countLeaves<false>(depth, currentPly, moveListArray, nullptr); }

std::uint64_t perftValidated(int depth, int checkedPlies, std::string& fault) {
    fault.clear();
    const Validation check{checkedPlies, &fault};
    return countLeaves<true>(depth, currentPly, moveListArray, &check);
}

int perftDivide(int depth, RootMoveCount* counts) {
    PlyRecord* const ply = currentPly;
    const Side mover = position.sideToMove;
    MoveEntry* const end = generateFor(*ply, moveListArray);
    saveUndoInfo(*ply);
    int written = 0;
    for (MoveEntry* entry = moveListArray; entry != end; ++entry) {
        const Move move = entry->move;
        makeMove(move, *ply);
        if (!leavesKingAttacked(move, mover, *ply)) {
            const std::uint64_t leaves = depth == 1 ? 1 : countLeaves<false>(depth - 1, ply + 1, end, nullptr);
            counts[written++] = {move, leaves};
        }
        unmakeMove(move, *ply);
    }
    return written;
}
